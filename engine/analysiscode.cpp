#include "engine/analysiscode.h"

#include "model/project.h"

QString codeMessage(AnalysisCode code)
{
    switch (code) {
    case AnalysisCode::SoilTooShallow: return ProjectText::tr(">>错误：土层深度不够");
    case AnalysisCode::BottomAboveSlide: return ProjectText::tr(">>错误：桩底高于滑面");
    case AnalysisCode::BottomAboveCut: return ProjectText::tr(">>错误：桩底高于开挖面");
    case AnalysisCode::RowsDoNotOverlap: return ProjectText::tr(">>错误：前后排桩上下无重叠区域");
    case AnalysisCode::PileTooShort: return ProjectText::tr(">>错误：桩长小于2m");
    case AnalysisCode::RowsTooClose: return ProjectText::tr(">>错误：前后排桩间距太小");
    case AnalysisCode::BottomAboveGround: return ProjectText::tr(">>错误：桩底高于地面");
    case AnalysisCode::NotConverged: return ProjectText::tr(">>警告：迭代过程没有收敛");
    case AnalysisCode::SolveFailed: return ProjectText::tr(">>错误：过程求解失败");
    case AnalysisCode::TrialLimit: return ProjectText::tr(">>错误：试算过程失败");
    case AnalysisCode::ModelTooLarge:
        return ProjectText::tr(">>错误：数据不合理，计算模型节点过多");
    case AnalysisCode::NoModel: return ProjectText::tr(">>错误：无法建立计算模型");
    case AnalysisCode::Ok:
    case AnalysisCode::InvalidInput: break;
    }
    return ProjectText::tr(">>未知错误");
}
