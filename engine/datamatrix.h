#pragma once

// Global stiffness matrix and load vector of the plane-frame model, its
// solution and the element end forces. One DataMatrix lives for one trial
// calculation loop: loads are built once, the stiffness for every trial.

#include "model/records.h"

#include <Eigen/Core>
#include <Eigen/SparseCore>
#include <QList>
#include <QMap>
#include <QObject>

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

    // 0 solved; 12 solved only roughly; 13 no usable solution (singular model).
    int solve();

    const Eigen::VectorXd &solution() const { return m_solution; }
    // Component-wise backward error of the current solution: the largest
    // |K x - f|_i / (sum_j |K_ij x_j| + |f_i|). Near 1e-16 for an exact solve.
    double backwardError() const;
    const Eigen::VectorXd &rightHandSide() const { return m_rhs; }
    QList<ResultInfo> elementResults(const QList<BeamInfo> &beams) const;

private:
    int m_size = 0;
    Eigen::VectorXd m_load; // fixed-end forces minus nodal loads
    Eigen::VectorXd m_rhs;
    Eigen::VectorXd m_solution;
    Eigen::VectorXd m_diagonal; // diagonal of the stiffness
    std::vector<Eigen::Triplet<double>> m_upper; // entries above the diagonal
    Eigen::SparseMatrix<double> m_matrix; // upper triangle
};
