#include "dock/dockview.h"

#include "model/document.h"

#include <QListWidget>
#include <QVBoxLayout>

DockView::DockView(QWidget *parent)
    : QWidget(parent)
    , m_info(new QListWidget(this))
{
    setObjectName(QStringLiteral("DockView"));
    m_info->setObjectName(QStringLiteral("listInfo"));
    m_info->setSelectionMode(QAbstractItemView::NoSelection);
    m_info->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_info->setWordWrap(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_info);
    showWelcome();
}

void DockView::setDocument(Document *doc)
{
    m_document = doc;
    showMessages();
}

void DockView::showWelcome()
{
    m_document = nullptr;
    m_info->clear();
}

void DockView::refreshCategory(int)
{
    showMessages();
}

void DockView::showMessages()
{
    m_info->clear();
    if (!m_document)
        return;
    m_info->addItems(m_document->messages);
    m_info->scrollToBottom();
}
