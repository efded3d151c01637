// The dock's tree: one line per fact of the project, grouped by category,
// with each line's identity leading back to its record.

#include "dock/dockview.h"

#include "engine/designchecks.h"
#include "engine/results.h"

#include <QColor>
#include <QLocale>
#include <QTreeWidget>

#include <algorithm>

namespace {

// Shortest text that reads back as the same number.
QString num(double v)
{
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

// One decimal, for stiffness, forces and results; a value that rounds to
// zero reads 0.0, never -0.0.
QString dec1(double v)
{
    return oneDecimal(v);
}

// A single row lists only what stands on its one pile.
bool listedIn(qint16 object, bool doubleRow)
{
    return doubleRow || (object != OBJBACKPILE && object != OBJBEAM);
}

struct Line
{
    int identity;
    QString text;
};

} // namespace

QString DockView::categoryText(int category) const
{
    const Project &doc = m_document->project();
    const bool two = doc.base.PileForm == DOUBLEROW;
    switch (category) {
    case BaseCategory: return tr("基础信息");
    case FrontPileCategory: return two ? tr("抗滑桩(前桩)") : tr("抗滑桩");
    case BackPileCategory: return tr("抗滑桩(后桩)");
    case LinkBeamCategory: return tr("连梁");
    case SoilCategory: return tr("岩土层 - 数量: %1").arg(doc.soils.size());
    case AnchorCategory: return tr("桩身锚索(杆) - 数量: %1").arg(doc.anchors.size());
    case ForceCategory: return tr("额外作用力 - 数量: %1").arg(doc.AddForces.size());
    case ResultCategory: return tr("计算结果");
    case DesignCategory: return tr("设计验算");
    default: return {};
    }
}

void DockView::rebuildTree()
{
    m_tree->clear();
    if (!m_document)
        return;
    const Project &doc = m_document->project();
    QList<int> categories = {BaseCategory, FrontPileCategory};
    if (doc.base.PileForm == DOUBLEROW)
        categories << BackPileCategory << LinkBeamCategory;
    categories << SoilCategory << AnchorCategory << ForceCategory;
    if (doc.status & SHOWRESULT)
        categories << ResultCategory << DesignCategory;
    for (int category : categories) {
        auto *item = new QTreeWidgetItem(m_tree, {categoryText(category)});
        item->setData(0, IdentityRole, category);
        addChildren(item);
        // Results without checks (read from a damaged file) have no design lines.
        if (category == DesignCategory && item->childCount() == 0)
            delete item;
    }
    expandTree();
}

bool DockView::openCategory(int category) const
{
    return !(m_document->project().status & SHOWRESULT) || category == ResultCategory
        || category == DesignCategory;
}

void DockView::expandTree()
{
    if (!m_document)
        return;
    for (int n = 0; n < m_tree->topLevelItemCount(); ++n) {
        QTreeWidgetItem *item = m_tree->topLevelItem(n);
        item->setExpanded(openCategory(item->data(0, IdentityRole).toInt()));
    }
}

QTreeWidgetItem *DockView::categoryItem(int category) const
{
    for (int n = 0; n < m_tree->topLevelItemCount(); ++n) {
        QTreeWidgetItem *item = m_tree->topLevelItem(n);
        if (item->data(0, IdentityRole).toInt() == category)
            return item;
    }
    return nullptr;
}

void DockView::refreshCategory(int category)
{
    if (!m_document)
        return;
    if (category == BaseCategory) {
        rebuildTree();
        return;
    }
    QTreeWidgetItem *item = categoryItem(category);
    if (!item)
        return;
    // The count in the category's own text may have changed too.
    item->setText(0, categoryText(category));
    qDeleteAll(item->takeChildren());
    addChildren(item);
    item->setExpanded(openCategory(category));
}

void DockView::addChildren(QTreeWidgetItem *item)
{
    const Project &doc = m_document->project();
    const BaseInfo &base = doc.base;
    const bool two = base.PileForm == DOUBLEROW;
    const bool results = doc.status & SHOWRESULT;
    const int category = item->data(0, IdentityRole).toInt();
    QList<Line> lines;
    const auto add = [&lines, category](const QString &text) {
        lines.append({category + int(lines.size()) + 1, text});
    };

    const auto pileLines = [&](const PileInfo &pile) {
        add(tr("桩身长度: %1(m)").arg(num(pile.length)));
        if (pile.shp == SECTROUND)
            add(tr("桩截面: %1，D: %2(m)").arg(CodeText::section(SECTROUND), num(pile.diameter)));
        else
            add(tr("桩截面: %1, H: %2(m)×W: %3(m)")
                    .arg(CodeText::section(SECTSQUARE), num(pile.height), num(pile.width)));
        add(tr("桩身混凝土等级: %1").arg(CodeText::grade(pile.grade)));
        add(tr("桩底支承条件: %1").arg(CodeText::support(pile.support)));
    };

    switch (category) {
    case BaseCategory:
        add(tr("项目名称: %1").arg(base.ProjectName));
        add(tr("支护形式: %1").arg(CodeText::pileForm(base.PileForm)));
        if (two)
            add(tr("滑面深度: 桩前%1(m), 桩后%2(m)")
                    .arg(num(base.slideFrontH), num(base.slideBackH)));
        else
            add(tr("滑面深度: %1(m)").arg(num(base.slideBackH)));
        add(tr("桩前开挖深度: %1(m)").arg(num(base.cutH)));
        add(tr("下滑力%1(kN/m), 抗滑力%2(kN/m)").arg(num(-base.aforce), num(base.pforce)));
        add(tr("作用力分布形式: %1").arg(CodeText::distribution(base.shape)));
        add(tr("桩中心间距: %1(m)").arg(num(base.space)));
        if (two) {
            add(tr("前后桩中心间距: %1(m)").arg(num(base.row)));
            add(base.interact == INTERACTES ? tr("桩间土作用方式: Es值相互作用")
                                            : tr("桩间土作用方式: K值各自独立"));
        }
        break;
    case FrontPileCategory: pileLines(doc.frontPile); break;
    case BackPileCategory: pileLines(doc.backPile); break;
    case LinkBeamCategory:
        add(tr("连梁截面: H: %1(m)×W: %2(m)")
                .arg(num(doc.linkBeam.height), num(doc.linkBeam.width)));
        add(tr("连梁长度: %1(m)").arg(num(doc.linkBeam.length)));
        add(tr("连梁混凝土等级: %1").arg(CodeText::grade(doc.linkBeam.grade)));
        break;
    case SoilCategory:
        for (const SoilInfo &soil : doc.soils) {
            add(soil.type == METHODM ? tr("%1: m=%2MN/m⁴").arg(soil.Name, num(soil.m / 1000.0))
                                     : tr("%1: K=%2MN/m³").arg(soil.Name, num(soil.k / 1000.0)));
        }
        break;
    case AnchorCategory:
        // Lines carry the position of their record, also where some anchors
        // are not listed.
        for (int n = 0; n < doc.anchors.size(); ++n) {
            const AnchorInfo &a = doc.anchors[n];
            if (!listedIn(a.object, two))
                continue;
            QString text;
            // With results the tendon's axial force follows the head forces:
            // it is what the anchor must carry.
            if (two)
                text = results
                    ? tr("水平力=%1kN, 竖向力=%2kN, 轴力=%3kN")
                          .arg(dec1(a.forceH), dec1(a.forceV), dec1(std::max(a.axialForce(), 0.0)))
                    : tr("刚度: Kh=%1kN/m，Kv=%2kN/m").arg(dec1(a.kh), dec1(a.kv));
            else
                text = results ? tr("水平力=%1kN, 轴力=%2kN")
                                     .arg(dec1(a.forceH), dec1(std::max(a.axialForce(), 0.0)))
                               : tr("刚度: Kh=%1kN/m").arg(dec1(a.kh));
            lines.append({category + n + 1, text});
        }
        break;
    case ForceCategory:
        for (int n = 0; n < doc.AddForces.size(); ++n) {
            const ForceInfo &f = doc.AddForces[n];
            if (!listedIn(f.object, two))
                continue;
            QString text;
            if (f.type == LOADDIST)
                text = tr("%1: q1=%2kN/m, q2=%3kN/m")
                           .arg(CodeText::load(LOADDIST), num(f.q1), num(f.q2));
            else if (f.type == LOADPNT)
                text = tr("%1: F=%2kN/m").arg(CodeText::load(LOADPNT), num(f.F));
            else if (f.type == LOADMOMENT)
                text = tr("弯矩: M=%1kN*m/m").arg(num(f.M));
            else
                text = CodeText::load(f.type);
            lines.append({category + n + 1, text});
        }
        break;
    case ResultCategory: {
        const ResultExtremes &x = doc.extremes;
        // Minimum and maximum of each quantity; displacements in mm.
        const auto group = [&](const ExtremeValues &min, const ExtremeValues &max,
                               const QStringList &texts) {
            add(texts[0].arg(dec1(min.D * 1000.0), dec1(max.D * 1000.0)));
            add(texts[1].arg(dec1(min.M), dec1(max.M)));
            add(texts[2].arg(dec1(min.Q), dec1(max.Q)));
            add(texts[3].arg(dec1(min.R), dec1(max.R)));
        };
        if (two) {
            group(x.Min1, x.Max1,
                {tr("前桩位移: %1~ %2(mm)"), tr("前桩弯矩: %1~ %2(kN*m)"),
                    tr("前桩剪力: %1~ %2(kN)"), tr("前桩土反力: %1~ %2(kPa)")});
            group(x.Min2, x.Max2,
                {tr("后桩位移: %1~ %2(mm)"), tr("后桩弯矩: %1~ %2(kN*m)"),
                    tr("后桩剪力: %1~ %2(kN)"), tr("后桩土反力: %1~ %2(kPa)")});
        } else {
            group(x.Min1, x.Max1,
                {tr("抗滑桩位移: %1~ %2(mm)"), tr("抗滑桩弯矩: %1~ %2(kN*m)"),
                    tr("抗滑桩剪力: %1~ %2(kN)"), tr("土反力: %1~ %2(kPa)")});
        }
        break;
    }
    case DesignCategory:
        // One line per check; those not satisfied in red.
        for (const DesignLine &check : DesignText::lines(designChecks(doc))) {
            auto *child = new QTreeWidgetItem(item, {check.text});
            if (!check.ok)
                child->setForeground(0, QColor(Qt::red));
        }
        break;
    default: break;
    }

    for (const Line &line : lines) {
        auto *child = new QTreeWidgetItem(item, {line.text});
        child->setData(0, IdentityRole, line.identity);
    }
}
