#pragma once

// Global stiffness matrix and load vector of the plane-frame model, its
// solution and the element end forces. One DataMatrix lives for one trial
// calculation loop: loads are built once, the stiffness for every trial.
// The stiffness is symmetric positive definite and solved by a sparse LDLT
// factorisation. Its pattern depends only on the elements, which all trials
// share (only spring diagonals and Es-link moduli change), so the ordering
// and symbolic analysis are done once and each trial only refactorises.

#include "model/records.h"

#include <Eigen/Core>
#include <Eigen/OrderingMethods>
#include <Eigen/SparseCholesky>
#include <Eigen/SparseCore>
#include <QList>
#include <QMap>
#include <QObject>

#include <array>
#include <vector>

class DataMatrix : public QObject
{
    Q_OBJECT

public:
    using Matrix6 = Eigen::Matrix<double, 6, 6>;

    // Penalty on the diagonal of a restrained freedom.
    static constexpr double RESTRAINT = 1e22;

    DataMatrix() = default;

    // Global equation index of freedom dof (1 x, 2 y, 3 rotation) of a node.
    static int index(int node, int dof) { return 3 * node + dof - 1; }

    // Stiffness of a frame element in global axes (terms not above 1e-5 dropped).
    static Matrix6 elementStiffness(const BeamInfo &e);

    void buildLoads(const QList<BeamInfo> &beams, const QList<NodeInfo> &nodes);
    void buildRightHandSide();
    void addElements(const QList<BeamInfo> &beams);
    void applyRestraints(const QMap<int, int> &restraints);
    void recordOrigins(QList<NodeInfo> &nodes) const;
    // Adds the active springs; nodes in the new state choose theirs first.
    void addSprings(QList<NodeInfo> &nodes);
    void buildMatrix();

    // 0 solved; 12 solved, but the backward error exceeds 1e-9; 13 no usable
    // solution (singular model or non-finite numbers). The factorisation's
    // solution is refined with its own factors while that lowers the
    // backward error.
    int solve();

    const Eigen::VectorXd &solution() const { return m_solution; }
    // Component-wise backward error of the current solution: the largest
    // |K x - f|_i / (sum_j |K_ij x_j| + |f_i|). Near 1e-16 for an exact solve.
    double backwardError() const;
    const Eigen::VectorXd &rightHandSide() const { return m_rhs; }
    QList<ResultInfo> elementResults(const QList<BeamInfo> &beams) const;

private:
    using SparseMatrix = Eigen::SparseMatrix<double>;

    bool patternFits(const QList<BeamInfo> &beams) const;
    void buildPattern(const QList<BeamInfo> &beams);
    // Applies the inverse of the factorised stiffness to v in place, a
    // vanishing pivot taken as zero; true when one did.
    bool applyInverse(Eigen::VectorXd &v) const;
    // Adds one element's stiffness through its 36 targets.
    static void addElement(
        const BeamInfo &e, const int *target, double *values, Eigen::VectorXd &diagonal);

    int m_size = 0;
    Eigen::VectorXd m_load; // fixed-end forces minus nodal loads
    Eigen::VectorXd m_rhs;
    Eigen::VectorXd m_solution;
    Eigen::VectorXd m_diagonal; // diagonal of the stiffness
    mutable Eigen::VectorXd m_residual; // room for the backward error, kept between trials
    mutable Eigen::VectorXd m_scale;
    Eigen::VectorXd m_correction; // refinement step and the solution before it
    Eigen::VectorXd m_previous;
    SparseMatrix m_matrix; // upper triangle, every element entry in its pattern
    // Where each of the 36 entries of every element stiffness goes: an index
    // into the values of m_matrix, DIAGONAL - dof for the diagonal, or SKIP
    // for the lower triangle.
    std::vector<int> m_targets;
    std::vector<int> m_diagonalSlots; // value index of each diagonal entry
    std::vector<std::pair<int, int>> m_patternEnds; // element ends the pattern was built for
    // Sum of the elements other than Es links, and the properties it was made of.
    std::vector<std::array<double, 6>> m_fixedPart;
    std::vector<double> m_fixedValues;
    Eigen::VectorXd m_fixedDiagonal;
    Eigen::SimplicialLDLT<SparseMatrix, Eigen::Upper, Eigen::NaturalOrdering<int>> m_ldlt;
    bool m_analysed = false; // symbolic analysis done for the present pattern
};
