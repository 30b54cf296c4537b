#include "console/ElementTextBox.h"

#include "console/AccessibleNames.h"
#include "console/ViewUnits.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

namespace kestrane::view {

ElementTextBox::ElementTextBox(Element& element, QWidget* parent)
    : QLineEdit(parent), m_binding(*this, element, [this](Property p) { changed(p); })
{
    setText(element.text());
    setCursorPosition(0);
    setAccessibleName(accessibleNameFor(element));
    applyLook();
    connect(this, &QLineEdit::textEdited, this,
            [this](const QString& t) { m_binding.element().setText(t); });
}

void ElementTextBox::applyLook()
{
    const Element& e = m_binding.element();
    QPalette pal = palette();
    pal.setColor(QPalette::Text, toQColor(e.foreColor()));
    pal.setColor(QPalette::Base, toQColor(e.backColor()));
    setPalette(pal);
    switch (e.alignment()) {
    case Alignment::Centre:
        setAlignment(Qt::AlignCenter);
        break;
    case Alignment::Right:
        setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        break;
    default:
        setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        break;
    }
}

void ElementTextBox::changed(Property p)
{
    switch (p) {
    case Property::Caption:
        // Only a change made by the program: the box already shows its own edits.
        if (text() != m_binding.element().text())
            setText(m_binding.element().text());
        break;
    case Property::ForeColor:
    case Property::BackColor:
    case Property::Alignment:
        applyLook();
        break;
    default:
        break;
    }
}

void ElementTextBox::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste)) {
        pasteFiltered();
        event->accept();
        return;
    }
    int code = 0;
    if (event->key() == Qt::Key_Backspace) {
        code = 8;
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        code = 13;
    } else if (!(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
               !event->text().isEmpty() && event->text().at(0).isPrint()) {
        code = event->text().at(0).unicode();
    }
    if (code == 0) {
        // Navigation, deletion and shortcuts are not typed characters.
        QLineEdit::keyPressEvent(event);
        return;
    }
    const int result = m_binding.element().keyPress(code);
    if (result == 0) {
        event->accept();
        return;
    }
    if (result == code) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // The handler replaced the character: type the replacement instead.
    if (result == 8)
        backspace();
    else if (result >= 32)
        insert(QString(QChar(result)));
    m_binding.element().setText(text());
    event->accept();
}

void ElementTextBox::insertFiltered(const QString& t)
{
    insert(m_binding.element().filterText(t));
    m_binding.element().setText(text());
}

void ElementTextBox::pasteFiltered()
{
    if (isReadOnly())
        return;
    insertFiltered(QGuiApplication::clipboard()->text());
}

void ElementTextBox::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    // The standard Paste would bypass the filter: route it through ours.
    for (QAction* a : menu->actions()) {
        if (a->objectName() == QLatin1String("edit-paste")) {
            disconnect(a, &QAction::triggered, this, &QLineEdit::paste);
            connect(a, &QAction::triggered, this, &ElementTextBox::pasteFiltered);
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void ElementTextBox::dropEvent(QDropEvent* event)
{
    if (!event->mimeData()->hasText() || isReadOnly()) {
        event->ignore();
        return;
    }
    setCursorPosition(cursorPositionAt(event->position().toPoint()));
    insertFiltered(event->mimeData()->text());
    event->acceptProposedAction();
}

} // namespace kestrane::view
