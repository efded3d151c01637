#pragma once

// The start page shown in the first tab. It holds a local welcome text; no
// page is fetched from the network.

#include <QWidget>

class MyWeb : public QWidget
{
    Q_OBJECT

public:
    explicit MyWeb(QWidget *parent = nullptr);
};
