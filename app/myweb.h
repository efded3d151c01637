#pragma once

// The start page shown in the first tab: a local page drawn by the toolkit,
// nothing is fetched from the network. It shows the program's name and
// version and links to a new project, to opening a project, to the recent
// files and to the bundled example projects; the main window does what a
// link asks.

#include <QWidget>

class QTextBrowser;
class QUrl;

class MyWeb : public QWidget
{
    Q_OBJECT

public:
    explicit MyWeb(QWidget *parent = nullptr);

    // Folder of the bundled example projects, both in the build tree and
    // installed: share/ridezu/examples beside the program's folder.
    static QString examplesDir();

    // Draws the page anew with the recent files as stored now.
    void refresh();

    QTextBrowser *browser() const { return m_browser; }

signals:
    void newRequested();
    void openRequested();
    void openFileRequested(const QString &path);

protected:
    void showEvent(QShowEvent *event) override;

private:
    struct Example
    {
        QString path;
        QString projectName;
        bool analysed = false;
    };

    void onLinkClicked(const QUrl &url);
    QString html() const;

    QTextBrowser *m_browser;
    QList<Example> m_examples;
};
