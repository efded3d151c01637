#pragma once

// The definition of a parameter study: the value to vary (those the project
// has), the pile of a double row a length or section study changes, and the
// range from, to and step, proposed around the project's value. The count of
// values follows the typing; OK refuses a range the study would refuse and
// says why, keeping the dialog open with what was typed.

#include "engine/study.h"
#include "model/project.h"

#include <QDialog>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;

class StudyDialog : public QDialog
{
    Q_OBJECT

public:
    // `last`, when given, is the study made last on this project: the
    // dialog opens with it.
    StudyDialog(
        const Project &project, const StudyDefinition *last = nullptr, QWidget *parent = nullptr);

    // The accepted definition.
    StudyDefinition definition() const { return m_accepted; }

    // A range of about ten steps around the project's value of the
    // parameter, within the values the study takes.
    static StudyDefinition proposal(
        const Project &project, StudyParameter parameter, StudyPile pile);

private:
    void onParameterChanged();
    void onOk();
    void updateCount();
    // The definition as typed; false when a field holds no number.
    bool typed(StudyDefinition &def) const;
    // Reads the definition as typed and says why it cannot run; empty when
    // it can.
    QString problem(StudyDefinition &def) const;
    void showDefinition(const StudyDefinition &def);
    StudyParameter parameter() const;
    StudyPile pile() const;

    Project m_project;
    bool m_doubleRow = false;
    StudyDefinition m_accepted;
    QComboBox *m_parameter = nullptr;
    QLabel *m_pileLabel = nullptr;
    QComboBox *m_pile = nullptr;
    QLineEdit *m_from = nullptr;
    QLineEdit *m_to = nullptr;
    QLineEdit *m_step = nullptr;
    QLabel *m_unitFrom = nullptr;
    QLabel *m_unitTo = nullptr;
    QLabel *m_unitStep = nullptr;
    QLabel *m_count = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
};
