#include "document/document.h"

#include "engine/analyse.h"
#include "engine/results.h"
#include "model/geometry.h"

#include <algorithm>

Document::Document(QObject *parent)
    : QObject(parent)
{
    messages.append(tr(">>欢迎使用澄川抗滑桩软件"));
    m_project = Project::defaultProject();
    clearHistory();
}

void Document::noteSpacing(bool limited, const QList<double> &basisBefore)
{
    // Only the change that made the spacing cut b0 says so: a later change
    // of other values leaves the spacing and the sections as they were.
    if (limited && widthBasis(m_project) != basisBefore)
        outInfo(tr(">>注意: 桩间距小于b0"));
}

void Document::setModified(bool m)
{
    if (m) {
        m_cleanPosition = -1;
        emit dataChanged();
    } else {
        m_cleanPosition = m_position;
    }
    updateModified();
}

void Document::updateModified()
{
    const bool modified = m_position != m_cleanPosition;
    if (modified != m_modified) {
        m_modified = modified;
        emit modifiedChanged(modified);
    }
}

void Document::clearHistory()
{
    m_history = {Step {QString(), m_project}};
    m_position = 0;
    m_cleanPosition = 0;
    updateModified();
    emit historyChanged();
}

void Document::replaceProject(const Project &project)
{
    m_project = project;
    m_result = AnalysisResult();
    m_analysedResults.clear();
    clearHistory();
    emit dataChanged();
}

void Document::commitStep(const QString &name)
{
    m_history.resize(m_position + 1);
    if (m_cleanPosition > m_position)
        m_cleanPosition = -1;
    m_history.append(Step {name, m_project});
    ++m_position;
    emit dataChanged();
    updateModified();
    emit historyChanged();
}

bool Document::canUndo() const
{
    return inputEditable() && m_position > 0;
}

bool Document::canRedo() const
{
    return inputEditable() && m_position + 1 < m_history.size();
}

QString Document::undoText() const
{
    return m_position > 0 ? m_history[m_position].name : QString();
}

QString Document::redoText() const
{
    return m_position + 1 < m_history.size() ? m_history[m_position + 1].name : QString();
}

bool Document::undo()
{
    if (!canUndo())
        return false;
    moveTo(m_position - 1);
    return true;
}

bool Document::redo()
{
    if (!canRedo())
        return false;
    moveTo(m_position + 1);
    return true;
}

void Document::moveTo(int position)
{
    m_position = position;
    m_project.takeContent(m_history[position].state);
    emit dataChanged();
    updateModified();
    emit historyChanged();
}

bool Document::changeBase(const BaseInfo &b)
{
    if (!inputEditable())
        return false;
    const QList<double> basis = widthBasis(m_project);
    m_project.base = b;
    applySlideDepthRule(m_project.base);
    // The form, the spacing and the pile-top offset move the piles; the
    // depths and the thrust rebuild the derived loads; everything placed on
    // a pile follows it.
    noteSpacing(m_project.updateGeometry(), basis);
    m_project.updateBaseData();
    m_project.updateSoilLayers();
    m_project.placeForces();
    m_project.placeAnchors();
    commitStep(tr("修改基本数据"));
    return true;
}

bool Document::changePiles(const PileInfo &front, const PileInfo &back, const LinkBeamInfo &beam)
{
    if (!inputEditable())
        return false;
    const QList<double> basis = widthBasis(m_project);
    m_project.frontPile = front;
    m_project.backPile = back;
    m_project.linkBeam = beam;
    noteSpacing(m_project.updateGeometry(), basis);
    // A new pile length moves the pile bottom, where thrust, forces and
    // anchors below it are clamped; left at their old places they would lie
    // off the pile and the analysis would find no node to put them on.
    m_project.updateBaseData();
    m_project.placeForces();
    m_project.placeAnchors();
    commitStep(tr("修改桩数据"));
    return true;
}

bool Document::changeSoils(const QList<SoilInfo> &list)
{
    if (!inputEditable())
        return false;
    m_project.soils = list;
    m_project.updateSoilLayers();
    commitStep(tr("修改岩土层"));
    return true;
}

bool Document::changeAnchors(const QList<AnchorInfo> &list)
{
    if (!inputEditable())
        return false;
    m_project.anchors = list;
    for (AnchorInfo &a : m_project.anchors)
        a.computeStiffness();
    m_project.placeAnchors();
    commitStep(tr("修改锚索(杆)"));
    return true;
}

bool Document::changeForces(const QList<ForceInfo> &list)
{
    if (!inputEditable())
        return false;
    m_project.AddForces = list;
    m_project.placeForces();
    commitStep(tr("修改附加力"));
    return true;
}

bool Document::changeDesign(const DesignInfo &d)
{
    if (!inputEditable())
        return false;
    m_project.design = d;
    commitStep(tr("修改设计参数"));
    return true;
}

void Document::outInfo(const QString &text)
{
    messages.append(text);
    emit sendOutInfo(text);
}

bool Document::analyse()
{
    if (m_project.status & SHOWRESULT)
        return false;
    AnalysisOutcome outcome = ::analyse(m_project);
    for (const QString &line : std::as_const(outcome.log))
        outInfo(line);
    const qint32 mark = m_project.status & SHOWMARK;
    m_project = std::move(outcome.project);
    m_result = std::move(outcome.result);
    m_analysedResults = m_project.results;
    m_project.status = mark | (outcome.succeeded() ? SHOWRESULT : SHOWDATA);
    // The analysis belongs to the input of the present step: stepping away
    // and back keeps it.
    m_history[m_position].state = m_project;
    emit resultsChanged();
    return outcome.succeeded();
}

void Document::showInput()
{
    const bool shown = m_project.status & SHOWRESULT;
    m_project.status = (m_project.status & SHOWMARK) | SHOWDATA;
    if (shown)
        emit resultsChanged();
}

void Document::setView(double blc, qint32 x0, qint32 y0)
{
    m_project.blc = blc;
    m_project.x0 = x0;
    m_project.y0 = y0;
}

void Document::setFittedScale(double blcfull)
{
    m_project.blcfull = blcfull;
}

void Document::setMarksShown(bool shown)
{
    qint32 &status = m_project.status;
    status = shown ? status | SHOWMARK : status & ~SHOWMARK;
    emit displayChanged();
}

bool Document::showDiagram(qint32 diagram)
{
    // One diagram at a time, and only over results.
    qint32 &status = m_project.status;
    if (!(status & SHOWRESULT))
        return false;
    status = (status & (SHOWRESULT | SHOWMARK)) | diagram;
    emit displayChanged();
    return true;
}

AnalysisResult Document::analysisResult() const
{
    if (!(m_project.status & SHOWRESULT) || m_project.results.isEmpty())
        return AnalysisResult();
    // Results read from a file carry no log of their analysis: their
    // result report stands in for it. The results of this session's last
    // analysis are known by their shared list.
    if (!m_result.valid || m_analysedResults.constData() != m_project.results.constData())
        return ::analysisResult(m_project, reportLines(m_project));
    return m_result;
}
