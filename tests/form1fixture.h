#pragma once

#include "mainwindow/form1.h"
#include "platform/drawingsurface.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

// A shown main window, laid out by its first resize as at start-up.
inline std::unique_ptr<gridlore::Form1> shownForm1()
{
    auto form = std::make_unique<gridlore::Form1>();
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get()))
        return nullptr;
    return form;
}

template <typename Control> Control *control(const gridlore::Form1 &form, const char *name)
{
    return form.findChild<Control *>(QString::fromLatin1(name));
}

inline QString counter(const gridlore::Form1 &form)
{
    return control<QLabel>(form, "Label1")->text();
}

// Where a press lands in the middle of cell (column, row), in twips.
inline QPointF cellCentre(const gridlore::Form1 &form, int column, int row)
{
    return QPointF((column - 0.5) * form.cellWidth(),
        1.5 * form.topMargin() + (row - 0.5) * form.cellHeight());
}
