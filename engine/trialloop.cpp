#include "engine/trialloop.h"

#include "engine/datamatrix.h"

#include <memory>

namespace {

// Switches every node whose movement no longer matches its active spring.
bool switchNodeStates(QList<NodeInfo> &nodes)
{
    bool changed = false;
    for (NodeInfo &node : nodes) {
        if (node.RorL == STATELEFT && node.Dx > EPS) {
            node.RorL = STATERIGHT;
            changed = true;
        } else if (node.RorL == STATERIGHT && node.Dx < -EPS) {
            node.RorL = STATELEFT;
            changed = true;
        }
        if (node.UorD == STATEDOWN && node.Dy > EPS) {
            node.UorD = STATEUP;
            changed = true;
        } else if (node.UorD == STATEUP && node.Dy < -EPS) {
            node.UorD = STATEDOWN;
            changed = true;
        }
    }
    return changed;
}

// Es links carry only compression: a widening gap switches a link off.
bool switchLinkStates(QList<BeamInfo> &beams, const Eigen::VectorXd &x)
{
    bool changed = false;
    for (BeamInfo &link : beams) {
        if (link.ob != OBJESLINK)
            continue;
        link.Dl = x[DataMatrix::index(link.j, 1)] - x[DataMatrix::index(link.i, 1)];
        const qint32 state = link.Dl > EPS ? STATENONE : STATELINKON;
        if (link.bEs != state) {
            link.bEs = state;
            changed = true;
        }
    }
    return changed;
}

void applyLinkStates(QList<BeamInfo> &beams)
{
    for (BeamInfo &link : beams) {
        if (link.ob != OBJESLINK)
            continue;
        if (link.bEs == STATENONE)
            link.E = 0.0;
        else if (link.bEs == STATELINKON)
            link.E = link.Origin;
    }
}

} // namespace

AnalysisCode trialLoop(Project &doc, bool esInteraction, QStringList &log)
{
    auto matrix = std::make_unique<DataMatrix>();
    matrix->buildLoads(doc.beams, doc.nodes);
    matrix->buildRightHandSide();

    for (int trial = 1;; ++trial) {
        matrix->addElements(doc.beams);
        matrix->applyRestraints(doc.restraints);
        matrix->recordOrigins(doc.nodes);
        matrix->addSprings(doc.nodes);
        matrix->buildMatrix();
        const auto code = AnalysisCode(matrix->solve());
        if (code == AnalysisCode::SolveFailed)
            return code; // no usable solution: further trials would work on garbage
        if (code != AnalysisCode::Ok)
            log << codeMessage(code);

        log << ProjectText::tr(">>第%1次试算").arg(trial);
        if (trial + 1 > TRIALLIMIT) {
            doc.results = matrix->elementResults(doc.beams);
            return AnalysisCode::TrialLimit;
        }

        // Every node takes its own displacement from the solution.
        const Eigen::VectorXd &x = matrix->solution();
        for (int n = 0; n < doc.nodes.size(); ++n) {
            doc.nodes[n].Dx = x[DataMatrix::index(n, 1)];
            doc.nodes[n].Dy = x[DataMatrix::index(n, 2)];
        }

        const bool nodesSwitched = switchNodeStates(doc.nodes);
        const bool linksSwitched = esInteraction && switchLinkStates(doc.beams, x);
        if (!nodesSwitched && !linksSwitched) {
            // The element results of the trial that settled every state.
            doc.results = matrix->elementResults(doc.beams);
            log << ProjectText::tr(">>计算结束");
            return AnalysisCode::Ok;
        }
        if (linksSwitched)
            applyLinkStates(doc.beams);
    }
}
