#include "engine/datamatrix.h"

#include <Eigen/IterativeLinearSolvers>
#include <Eigen/SparseCholesky>

#include <cmath>

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

void DataMatrix::addElements(const QList<BeamInfo> &beams)
{
    m_diagonal = Eigen::VectorXd::Zero(m_size);
    m_upper.clear();
    m_upper.reserve(size_t(beams.size()) * 21);
    for (const BeamInfo &e : beams) {
        const Matrix6 k = elementStiffness(e);
        const int dofs[6] = {index(e.i, 1), index(e.i, 2), index(e.i, 3), index(e.j, 1),
            index(e.j, 2), index(e.j, 3)};
        for (int r = 0; r < 6; ++r) {
            for (int c = 0; c < 6; ++c) {
                if (k(r, c) == 0.0)
                    continue;
                if (dofs[r] == dofs[c])
                    m_diagonal[dofs[r]] += k(r, c);
                else if (dofs[r] < dofs[c])
                    m_upper.emplace_back(dofs[r], dofs[c], k(r, c));
            }
        }
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
    std::vector<Eigen::Triplet<double>> entries = m_upper;
    entries.reserve(entries.size() + size_t(m_size));
    for (int k = 0; k < m_size; ++k)
        entries.emplace_back(k, k, m_diagonal[k]);
    m_matrix.resize(m_size, m_size);
    m_matrix.setFromTriplets(entries.begin(), entries.end());
}

namespace {

using SparseMatrix = Eigen::SparseMatrix<double>;

// A pivot that vanishes against the diagonal it came from means a freedom
// without any stiffness: the structure can move as a mechanism.
bool hasVanishingPivot(
    const Eigen::SimplicialLDLT<SparseMatrix, Eigen::Upper> &ldlt, const Eigen::VectorXd &diagonal)
{
    const Eigen::VectorXd d = ldlt.vectorD();
    const auto &perm = ldlt.permutationP().indices();
    for (int i = 0; i < diagonal.size(); ++i) {
        const double pivot = d[perm[i]];
        if (!(std::fabs(pivot) > 1e-11 * std::fabs(diagonal[i])) || diagonal[i] <= 0.0)
            return true;
    }
    return false;
}

} // namespace

int DataMatrix::solve()
{
    m_solution = Eigen::VectorXd::Zero(m_size);
    if (m_size == 0 || !m_rhs.allFinite() || !m_diagonal.allFinite())
        return 13;
    if (m_rhs.isZero(0.0))
        return 0;

    // Conjugate gradients first, as the stiffness is sparse and well banded.
    Eigen::ConjugateGradient<SparseMatrix, Eigen::Upper, Eigen::DiagonalPreconditioner<double>> cg;
    cg.setTolerance(1e-10);
    cg.setMaxIterations(2000);
    cg.compute(m_matrix);
    if (cg.info() == Eigen::Success) {
        Eigen::VectorXd x = cg.solve(m_rhs);
        if (cg.info() == Eigen::Success && x.allFinite()) {
            m_solution = x;
            return 0;
        }
    }

    // Not converged: the sparse direct factorisation of the same system.
    Eigen::SimplicialLDLT<SparseMatrix, Eigen::Upper> ldlt(m_matrix);
    if (ldlt.info() != Eigen::Success || hasVanishingPivot(ldlt, m_diagonal))
        return 13;
    Eigen::VectorXd x = ldlt.solve(m_rhs);
    if (ldlt.info() != Eigen::Success || !x.allFinite())
        return 13;
    m_solution = x;
    return backwardError() <= 1e-9 ? 0 : 12;
}

double DataMatrix::backwardError() const
{
    const auto full = m_matrix.selfadjointView<Eigen::Upper>();
    const Eigen::VectorXd residual = full * m_solution - m_rhs;
    const SparseMatrix absolute = m_matrix.cwiseAbs();
    const Eigen::VectorXd scale =
        absolute.selfadjointView<Eigen::Upper>() * m_solution.cwiseAbs() + m_rhs.cwiseAbs();
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
