#include "dialogs/datalimitdelegate.h"

#include <QLineEdit>

namespace {

// Longest text a cell editor takes.
constexpr int MAXTEXTLENGTH = 256;
// Longest typed text a refusal quotes in full.
constexpr int QUOTEDLENGTH = 20;

// The expression matching only whole texts. Some patterns anchor only their
// first and last alternatives (^a|b$), which would let "15" pass as "5".
QRegularExpression wholeText(const QRegularExpression &expression)
{
    if (expression.pattern().isEmpty())
        return expression;
    return QRegularExpression(
        QRegularExpression::anchoredPattern(expression.pattern()), expression.patternOptions());
}

} // namespace

DataLimitDelegate::DataLimitDelegate(const QRegularExpression &expression, QObject *parent)
    : CellDelegate(Look::Value, parent)
    , m_expression(wholeText(expression))
{ }

DataLimitDelegate::DataLimitDelegate(const InputPattern &pattern, QObject *parent)
    : DataLimitDelegate(QRegularExpression(pattern.expressionText()), parent)
{
    m_allowed = pattern.allowedText();
}

QString DataLimitDelegate::refusal(const QString &text) const
{
    if (text.isEmpty())
        return tr("未填写数值，已保留原值");
    const QString quoted
        = text.size() > QUOTEDLENGTH ? text.left(QUOTEDLENGTH) + QStringLiteral("…") : text;
    if (m_allowed.isEmpty())
        return tr("“%1”不可用，已保留原值").arg(quoted);
    return tr("“%1”不可用（应为%2），已保留原值").arg(quoted, m_allowed);
}

QWidget *DataLimitDelegate::createEditor(
    QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const
{
    if (m_expression.pattern().isEmpty() || !m_expression.isValid())
        return nullptr;
    // No validator: it would drop a key the pattern cannot take at that
    // point and go on with the rest, storing a different number than typed.
    auto *edit = new QLineEdit(parent);
    edit->setMaxLength(MAXTEXTLENGTH);
    return edit;
}

void DataLimitDelegate::showValue(QWidget *editor, const QVariant &value) const
{
    auto *edit = qobject_cast<QLineEdit *>(editor);
    if (!edit)
        return;
    edit->setText(value.toString());
    edit->setAlignment(m_alignment);
    // Typing replaces the old value.
    edit->selectAll();
}

QVariant DataLimitDelegate::editedValue(QWidget *editor) const
{
    auto *edit = qobject_cast<QLineEdit *>(editor);
    return edit ? QVariant(edit->text().trimmed()) : QVariant();
}

bool DataLimitDelegate::isUnchanged(const QVariant &current, const QVariant &edited) const
{
    return edited.toString() == current.toString();
}

bool DataLimitDelegate::takes(const QModelIndex &index, const QVariant &edited) const
{
    const QString text = edited.toString();
    if (!m_expression.pattern().isEmpty() && !m_expression.match(text).hasMatch()) {
        emit refused(index, refusal(text));
        return false;
    }
    return true;
}
