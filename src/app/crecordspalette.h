#pragma once

#include "idocobserver.h"

#include <QDockWidget>
#include <QListWidget>

#include <functional>

class CVireoDoc;
class QLabel;

// The list of the Records palette: dragging an entry carries its type to the panel view.
class CRecordTypeList : public QListWidget
{
public:
    using QListWidget::QListWidget;

    // Two rows of types: enough below the panes for most windows, small beside them.
    QSize sizeHint() const override;
    QStringList mimeTypes() const override;
    // What a drag of the items carries: the type of the first.
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;

    // A double-click or Enter on an entry (not a single click, whatever the desktop's habit).
    std::function<void(QListWidgetItem*)> m_fnActivate;

protected:
    // Always a copy: the palette keeps its entries.
    void startDrag(Qt::DropActions supportedActions) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// The "Records" palette (View > Records): every type Add Object offers, with its tree icon and
// name. A type dragged onto the panel view becomes a new record there; a double-click (or
// Enter) adds one in the middle of the panel in view.
class CRecordsPalette : public QDockWidget, public IDocObserver
{
public:
    explicit CRecordsPalette(CVireoDoc* doc, QWidget* parent = nullptr);
    ~CRecordsPalette() override;

    CRecordTypeList* GetList() const { return m_pList; }
    // The type code an entry stands for.
    static int TypeCode(const QListWidgetItem* item);
    // Runs with the code of a type double-clicked or entered.
    void SetAddHandler(std::function<void(int)> add) { m_fnAdd = std::move(add); }

    void OnUpdate(IDocObserver*, Hint, CCPObject*) override { ShowPanelState(); }
    void OnInitialUpdate() override { ShowPanelState(); }

private:
    // The entries work only while a panel is shown to put records on.
    void ShowPanelState();

    CVireoDoc* m_pDoc;
    CRecordTypeList* m_pList;
    QLabel* m_pHint;
    std::function<void(int)> m_fnAdd;
};
