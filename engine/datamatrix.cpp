#include "engine/datamatrix.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

DataMatrix::Matrix6 DataMatrix::elementStiffness(const BeamInfo &e)
{
    const double L = e.L;
    const double c = e.c;
    const double s = e.s;
    const double EI = e.E * e.I;
    const double EA = e.E * e.A;
    const auto term = [](double v) { return std::fabs(v) > 0.00001 ? v : 0.0; };
    const double kxx = term(12.0 * EI * s * s / (L * L * L) + EA * c * c / L);
    const double kxy = term((EA / L - 12.0 * EI / (L * L * L)) * c * s);
    const double kxr = term(-6.0 * EI * s / (L * L));
    const double kyy = term(12.0 * EI * c * c / (L * L * L) + EA * s * s / L);
    const double kyr = term(6.0 * EI * c / (L * L));
    const double krr = term(4.0 * EI / L);
    const double krr2 = term(2.0 * EI / L);

    Matrix6 k;
    // clang-format off
    k <<  kxx,  kxy,  kxr, -kxx, -kxy,  kxr,
          kxy,  kyy,  kyr, -kxy, -kyy,  kyr,
          kxr,  kyr,  krr, -kxr, -kyr,  krr2,
         -kxx, -kxy, -kxr,  kxx,  kxy, -kxr,
         -kxy, -kyy, -kyr,  kxy,  kyy, -kyr,
          kxr,  kyr,  krr2, -kxr, -kyr,  krr;
    // clang-format on
    return k;
}

void DataMatrix::buildLoads(const QList<BeamInfo> &beams, const QList<NodeInfo> &nodes)
{
    m_size = 3 * int(nodes.size());
    m_load = Eigen::VectorXd::Zero(m_size);
    for (const BeamInfo &e : beams) {
        m_load[index(e.i, 1)] += e.Ni * e.c - e.Qi * e.s;
        m_load[index(e.i, 2)] += e.Ni * e.s + e.Qi * e.c;
        m_load[index(e.i, 3)] += e.Mi;
        m_load[index(e.j, 1)] += e.Nj * e.c - e.Qj * e.s;
        m_load[index(e.j, 2)] += e.Nj * e.s + e.Qj * e.c;
        m_load[index(e.j, 3)] += e.Mj;
    }
    for (int n = 0; n < nodes.size(); ++n) {
        m_load[index(n, 1)] -= nodes[n].FX;
        m_load[index(n, 2)] -= nodes[n].FY;
        m_load[index(n, 3)] -= nodes[n].FM;
    }
}

void DataMatrix::buildRightHandSide()
{
    m_rhs = -m_load;
}

namespace {

constexpr int SKIP = std::numeric_limits<int>::min();
constexpr int DIAGONAL = -1; // DIAGONAL - dof marks a diagonal entry

} // namespace

bool DataMatrix::patternFits(const QList<BeamInfo> &beams) const
{
    if (m_matrix.rows() != m_size || m_patternEnds.size() != size_t(beams.size()))
        return false;
    for (int n = 0; n < beams.size(); ++n) {
        if (m_patternEnds[size_t(n)] != std::make_pair(int(beams[n].i), int(beams[n].j)))
            return false;
    }
    return true;
}

void DataMatrix::buildPattern(const QList<BeamInfo> &beams)
{
    // Column by column: the freedoms of every node joined to the column's
    // node by an element, up to the diagonal.
    const int nodeCount = m_size / 3;
    std::vector<std::vector<int>> neighbours(static_cast<size_t>(nodeCount));
    m_patternEnds.clear();
    for (const BeamInfo &e : beams) {
        m_patternEnds.emplace_back(e.i, e.j);
        const int low = std::min(int(e.i), int(e.j));
        const int high = std::max(int(e.i), int(e.j));
        if (low != high)
            neighbours[size_t(high)].push_back(low);
    }
    std::vector<int> starts(size_t(m_size) + 1, 0);
    std::vector<int> rows;
    rows.reserve(size_t(beams.size()) * 15 + size_t(m_size) * 2);
    for (int n = 0; n < nodeCount; ++n) {
        std::vector<int> &lower = neighbours[size_t(n)];
        std::sort(lower.begin(), lower.end());
        lower.erase(std::unique(lower.begin(), lower.end()), lower.end());
        for (int d = 0; d < 3; ++d) {
            for (int m : lower) {
                for (int k = 0; k < 3; ++k)
                    rows.push_back(3 * m + k);
            }
            for (int k = 0; k <= d; ++k)
                rows.push_back(3 * n + k);
            starts[size_t(3 * n + d) + 1] = int(rows.size());
        }
    }
    m_matrix = SparseMatrix(m_size, m_size);
    m_matrix.makeCompressed();
    m_matrix.resizeNonZeros(Eigen::Index(rows.size()));
    std::copy(starts.begin(), starts.end(), m_matrix.outerIndexPtr());
    std::copy(rows.begin(), rows.end(), m_matrix.innerIndexPtr());

    // Value index of entry (row, col) of the upper triangle.
    const auto slot = [this](int row, int col) {
        const int *inner = m_matrix.innerIndexPtr();
        const int *begin = inner + m_matrix.outerIndexPtr()[col];
        const int *end = inner + m_matrix.outerIndexPtr()[col + 1];
        return int(std::lower_bound(begin, end, row) - inner);
    };
    m_diagonalSlots.resize(size_t(m_size));
    for (int k = 0; k < m_size; ++k)
        m_diagonalSlots[size_t(k)] = slot(k, k);
    m_targets.resize(size_t(beams.size()) * 36);
    int *target = m_targets.data();
    for (const BeamInfo &e : beams) {
        const int dofs[6] = {index(e.i, 1), index(e.i, 2), index(e.i, 3), index(e.j, 1),
            index(e.j, 2), index(e.j, 3)};
        for (int r = 0; r < 6; ++r) {
            for (int c = 0; c < 6; ++c, ++target) {
                if (dofs[r] == dofs[c])
                    *target = DIAGONAL - dofs[r];
                else if (dofs[r] < dofs[c])
                    *target = slot(dofs[r], dofs[c]);
                else
                    *target = SKIP;
            }
        }
    }
    m_analysed = false;
    m_fixedPart.clear();
}

namespace {

// The properties an element's stiffness depends on.
std::array<double, 6> stiffnessFields(const BeamInfo &e)
{
    return {e.E, e.A, e.I, e.L, e.c, e.s};
}

} // namespace

void DataMatrix::addElement(
    const BeamInfo &e, const int *target, double *values, Eigen::VectorXd &diagonal)
{
    const Matrix6 k = elementStiffness(e);
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 6; ++c, ++target) {
            if (*target >= 0)
                values[*target] += k(r, c);
            else if (*target != SKIP)
                diagonal[DIAGONAL - *target] += k(r, c);
        }
    }
}

void DataMatrix::addElements(const QList<BeamInfo> &beams)
{
    if (!patternFits(beams))
        buildPattern(beams);

    // Only the Es links change between trials: the sum of all other
    // elements is kept and reused while their properties stay the same.
    bool fixedPartFits = m_fixedPart.size() == size_t(beams.size());
    for (int n = 0; fixedPartFits && n < beams.size(); ++n) {
        if (beams[n].ob != OBJESLINK && m_fixedPart[size_t(n)] != stiffnessFields(beams[n]))
            fixedPartFits = false;
    }
    const size_t count = size_t(m_matrix.nonZeros());
    if (!fixedPartFits) {
        m_fixedPart.resize(size_t(beams.size()));
        m_fixedValues.assign(count, 0.0);
        m_fixedDiagonal = Eigen::VectorXd::Zero(m_size);
        for (int n = 0; n < beams.size(); ++n) {
            if (beams[n].ob == OBJESLINK)
                continue;
            m_fixedPart[size_t(n)] = stiffnessFields(beams[n]);
            addElement(beams[n], m_targets.data() + 36 * n, m_fixedValues.data(), m_fixedDiagonal);
        }
    }

    m_diagonal = m_fixedDiagonal;
    double *values = m_matrix.valuePtr();
    std::copy(m_fixedValues.begin(), m_fixedValues.end(), values);
    for (int n = 0; n < beams.size(); ++n) {
        if (beams[n].ob == OBJESLINK)
            addElement(beams[n], m_targets.data() + 36 * n, values, m_diagonal);
    }
}

void DataMatrix::applyRestraints(const QMap<int, int> &restraints)
{
    for (auto it = restraints.keyBegin(); it != restraints.keyEnd(); ++it) {
        const int node = *it / 10;
        const int dof = *it % 10;
        if (dof >= 1 && dof <= 3 && index(node, dof) < m_size)
            m_diagonal[index(node, dof)] = RESTRAINT;
    }
}

void DataMatrix::recordOrigins(QList<NodeInfo> &nodes) const
{
    for (int n = 0; n < nodes.size(); ++n) {
        nodes[n].OriginX = m_diagonal[index(n, 1)];
        nodes[n].OriginY = m_diagonal[index(n, 2)];
    }
}

void DataMatrix::addSprings(QList<NodeInfo> &nodes)
{
    for (int n = 0; n < nodes.size(); ++n) {
        NodeInfo &node = nodes[n];
        if (node.RorL == STATENEW) {
            if (node.Kl > EPS)
                node.RorL = STATELEFT;
            else if (node.Kr > EPS)
                node.RorL = STATERIGHT;
            else
                node.RorL = STATENONE;
        }
        if (node.UorD == STATENEW) {
            if (node.Ku > EPS)
                node.UorD = STATEUP;
            else if (node.Kd > EPS)
                node.UorD = STATEDOWN;
            else
                node.UorD = STATENONE;
        }
        if (node.RorL == STATERIGHT)
            m_diagonal[index(n, 1)] = node.OriginX + node.Kr;
        else if (node.RorL == STATELEFT)
            m_diagonal[index(n, 1)] = node.OriginX + node.Kl;
        if (node.UorD == STATEUP)
            m_diagonal[index(n, 2)] = node.OriginY + node.Ku;
        else if (node.UorD == STATEDOWN)
            m_diagonal[index(n, 2)] = node.OriginY + node.Kd;
    }
}

void DataMatrix::buildMatrix()
{
    double *values = m_matrix.valuePtr();
    for (int k = 0; k < m_size; ++k)
        values[m_diagonalSlots[size_t(k)]] = m_diagonal[k];
}

int DataMatrix::solve()
{
    m_solution.setZero(m_size);
    if (m_size == 0 || m_matrix.rows() != m_size || !m_rhs.allFinite() || !m_diagonal.allFinite()
        || !Eigen::Map<const Eigen::VectorXd>(m_matrix.valuePtr(), m_matrix.nonZeros()).allFinite())
        return 13;
    if (m_rhs.isZero(0.0))
        return 0;

    if (!m_analysed) {
        m_ldlt.analyzePattern(m_matrix);
        m_analysed = true;
    }
    m_ldlt.factorize(m_matrix);
    if (m_ldlt.info() != Eigen::Success)
        return 13;

    // The node numbering already keeps the matrix narrowly banded, so the
    // factorisation runs in the natural order (no permutation).
    Eigen::VectorXd &x = m_solution; // solved in place: no allocation per trial
    x = m_rhs;
    const bool mechanism = applyInverse(x);
    if (!x.allFinite()) {
        m_solution.setZero();
        return 13;
    }
    double error = backwardError();

    // The restraint penalties put diagonals from 1e4 to 1e22 into one
    // matrix, and the unpivoted factorisation of such a matrix can leave a
    // backward error of 1e-5 although the equations, scaled by their
    // diagonals, are well conditioned. Refinement with the same factors
    // (r = f - K x, K d = r, x += d) brings it to rounding level: a few
    // steps while it exceeds 1e-14 and still falls, none when the first
    // solution is already exact.
    for (int step = 0; step < 3 && error > 1e-14; ++step) {
        m_correction = -m_residual; // backwardError() left K x - f there
        applyInverse(m_correction);
        if (!m_correction.allFinite())
            break;
        m_previous = x;
        x += m_correction;
        const double refined = backwardError();
        if (!(refined < error)) {
            x = m_previous;
            break;
        }
        error = refined;
    }
    if (error <= 1e-9)
        return 0;
    if (mechanism) {
        m_solution.setZero();
        return 13;
    }
    return 12;
}

bool DataMatrix::applyInverse(Eigen::VectorXd &v) const
{
    // v = L^-T D^-1 L^-1 v, where a pivot that vanishes against the diagonal
    // it came from marks a freedom the structure can move without any
    // resistance (a mechanism). Such a pivot is taken as a free choice of
    // zero: when the loads do not drive the mechanism (a vertical pile on a
    // hinge carrying only its weight) the result still satisfies every
    // equation, otherwise the backward error shows that no solution exists.
    const Eigen::VectorXd &d = m_ldlt.vectorD();
    m_ldlt.matrixL().solveInPlace(v);
    bool mechanism = false;
    for (int k = 0; k < m_size; ++k) {
        if (std::fabs(d[k]) > 1e-11 * std::fabs(m_diagonal[k]) && m_diagonal[k] > 0.0) {
            v[k] /= d[k];
        } else {
            v[k] = 0.0;
            mechanism = true;
        }
    }
    m_ldlt.matrixU().solveInPlace(v);
    return mechanism;
}

double DataMatrix::backwardError() const
{
    // One pass over the stored upper triangle gives both K x and |K| |x|.
    Eigen::VectorXd &residual = m_residual;
    Eigen::VectorXd &scale = m_scale;
    residual = -m_rhs;
    scale = m_rhs.cwiseAbs();
    const int *starts = m_matrix.outerIndexPtr();
    const int *rows = m_matrix.innerIndexPtr();
    const double *values = m_matrix.valuePtr();
    for (int col = 0; col < m_size; ++col) {
        for (int p = starts[col]; p < starts[col + 1]; ++p) {
            const int row = rows[p];
            const double v = values[p];
            residual[row] += v * m_solution[col];
            scale[row] += std::fabs(v * m_solution[col]);
            if (row != col) {
                residual[col] += v * m_solution[row];
                scale[col] += std::fabs(v * m_solution[row]);
            }
        }
    }
    double worst = 0.0;
    for (int k = 0; k < m_size; ++k) {
        if (scale[k] > 0.0)
            worst = std::max(worst, std::fabs(residual[k]) / scale[k]);
        else if (residual[k] != 0.0)
            return 1.0;
    }
    return worst;
}

QList<ResultInfo> DataMatrix::elementResults(const QList<BeamInfo> &beams) const
{
    QList<ResultInfo> results;
    results.reserve(beams.size());
    for (const BeamInfo &e : beams) {
        Eigen::Matrix<double, 6, 1> u;
        u << m_solution.segment<3>(index(e.i, 1)), m_solution.segment<3>(index(e.j, 1));
        const Eigen::Matrix<double, 6, 1> f = elementStiffness(e) * u;
        const auto local = [&](int at, double N, double Q, double M, double &n, double &q,
                               double &m) {
            n = e.c * f[at] + e.s * f[at + 1] + N;
            q = -e.s * f[at] + e.c * f[at + 1] + Q;
            m = f[at + 2] + M;
        };
        ResultInfo r;
        r.i = e.i;
        r.j = e.j;
        r.ob = e.ob;
        r.Xi = u[0];
        r.Yi = u[1];
        r.Ai = u[2];
        r.Xj = u[3];
        r.Yj = u[4];
        r.Aj = u[5];
        local(0, e.Ni, e.Qi, e.Mi, r.Ni, r.Qi, r.Mi);
        local(3, e.Nj, e.Qj, e.Mj, r.Nj, r.Qj, r.Mj);
        r.SPi = r.SPj = r.BPi = r.BPj = 0.0;
        results.append(r);
    }
    return results;
}
