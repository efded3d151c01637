#include "document/document.h"

#include "engine/analyse.h"
#include "engine/results.h"
#include "model/geometry.h"

#include <algorithm>

Document::Document(QObject *parent)
    : QObject(parent)
{
    messages.append(tr(">>欢迎使用澄川抗滑桩软件"));
    static_cast<Project &>(*this) = Project::defaultProject();
    clearHistory();
}

void Document::noteSpacing(bool limited, const QList<double> &basisBefore)
{
    // Only the change that made the spacing cut b0 says so: a later change
    // of other values leaves the spacing and the sections as they were.
    if (limited && widthBasis(*this) != basisBefore)
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
    m_history = {Step {QString(), *this}};
    m_position = 0;
    m_cleanPosition = 0;
    updateModified();
    emit historyChanged();
}

void Document::replaceProject(const Project &project)
{
    static_cast<Project &>(*this) = project;
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
    m_history.append(Step {name, *this});
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
    takeContent(m_history[position].state);
    emit dataChanged();
    updateModified();
    emit historyChanged();
}

bool Document::changeBase(const BaseInfo &b)
{
    if (!inputEditable())
        return false;
    const QList<double> basis = widthBasis(*this);
    base = b;
    applySlideDepthRule(base);
    // The form, the spacing and the pile-top offset move the piles; the
    // depths and the thrust rebuild the derived loads; everything placed on
    // a pile follows it.
    noteSpacing(updateGeometry(), basis);
    updateBaseData();
    updateSoilLayers();
    placeForces();
    placeAnchors();
    commitStep(tr("修改基本数据"));
    return true;
}

bool Document::changePiles(const PileInfo &front, const PileInfo &back, const LinkBeamInfo &beam)
{
    if (!inputEditable())
        return false;
    const QList<double> basis = widthBasis(*this);
    frontPile = front;
    backPile = back;
    linkBeam = beam;
    noteSpacing(updateGeometry(), basis);
    // A new pile length moves the pile bottom, where thrust, forces and
    // anchors below it are clamped; left at their old places they would lie
    // off the pile and the analysis would find no node to put them on.
    updateBaseData();
    placeForces();
    placeAnchors();
    commitStep(tr("修改桩数据"));
    return true;
}

bool Document::changeSoils(const QList<SoilInfo> &list)
{
    if (!inputEditable())
        return false;
    soils = list;
    updateSoilLayers();
    commitStep(tr("修改岩土层"));
    return true;
}

bool Document::changeAnchors(const QList<AnchorInfo> &list)
{
    if (!inputEditable())
        return false;
    anchors = list;
    for (AnchorInfo &a : anchors)
        a.computeStiffness();
    placeAnchors();
    commitStep(tr("修改锚索(杆)"));
    return true;
}

bool Document::changeForces(const QList<ForceInfo> &list)
{
    if (!inputEditable())
        return false;
    AddForces = list;
    placeForces();
    commitStep(tr("修改附加力"));
    return true;
}

bool Document::changeDesign(const DesignInfo &d)
{
    if (!inputEditable())
        return false;
    design = d;
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
    if (status & SHOWRESULT)
        return false;
    AnalysisOutcome outcome = ::analyse(*this);
    for (const QString &line : std::as_const(outcome.log))
        outInfo(line);
    const qint32 mark = status & SHOWMARK;
    static_cast<Project &>(*this) = std::move(outcome.project);
    m_result = std::move(outcome.result);
    m_analysedResults = results;
    status = mark | (outcome.succeeded() ? SHOWRESULT : SHOWDATA);
    // The analysis belongs to the input of the present step: stepping away
    // and back keeps it.
    m_history[m_position].state = *this;
    emit resultsChanged();
    return outcome.succeeded();
}

void Document::showInput()
{
    const bool shown = status & SHOWRESULT;
    status = (status & SHOWMARK) | SHOWDATA;
    if (shown)
        emit resultsChanged();
}

void Document::setView(double scale, qint32 originX, qint32 originY)
{
    blc = scale;
    x0 = originX;
    y0 = originY;
}

void Document::setFittedScale(double scale)
{
    blcfull = scale;
}

void Document::setMarksShown(bool shown)
{
    status = shown ? status | SHOWMARK : status & ~SHOWMARK;
    emit displayChanged();
}

bool Document::showDiagram(qint32 diagram)
{
    // One diagram at a time, and only over results.
    if (!(status & SHOWRESULT))
        return false;
    status = (status & (SHOWRESULT | SHOWMARK)) | diagram;
    emit displayChanged();
    return true;
}

AnalysisResult Document::analysisResult() const
{
    if (!(status & SHOWRESULT) || results.isEmpty())
        return AnalysisResult();
    // Results read from a file carry no log of their analysis: their
    // result report stands in for it. The results of this session's last
    // analysis are known by their shared list.
    if (!m_result.valid || m_analysedResults.constData() != results.constData())
        return ::analysisResult(*this, reportLines(*this));
    return m_result;
}
