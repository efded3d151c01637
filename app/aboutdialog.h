#pragma once

// The about box: the program's image, name, version with build date and the
// maker's web address.

#include <QDialog>

class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget *parent = nullptr);
};
