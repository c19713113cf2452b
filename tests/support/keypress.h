#pragma once

// Key presses as a user makes them, for the widget test programs.

#include <QKeyEvent>
#include <QObject>
#include <QPointer>
#include <QTest>
#include <QWidget>

// Presses and releases key on the widget as a real key press goes: the shortcut map is offered
// the key first. True when a shortcut took it, so the widget never saw the press.
inline bool PressShortcut(QWidget* widget, int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    class CPressSeen : public QObject
    {
    public:
        int m_nKey;
        bool m_bSeen = false;
        explicit CPressSeen(int key) : m_nKey(key) {}
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == m_nKey)
                m_bSeen = true;
            return false;
        }
    };
    CPressSeen seen(key);
    QPointer<QWidget> target(widget); // the shortcut may close it
    widget->installEventFilter(&seen);
    QTest::keyClick(widget, Qt::Key(key), mods);
    if (target)
        target->removeEventFilter(&seen);
    return !seen.m_bSeen;
}
