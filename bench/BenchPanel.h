#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QString>
#include <QWidget>

// A realistic page for the workspace benchmarks: 30 child widgets (labels with
// editors and check boxes) in a grid, named and titled as given.
inline QWidget* MakeBenchPanel(const QString& name, const QString& title)
{
    auto* panel = new QWidget;
    panel->setObjectName(name);
    panel->setWindowTitle(title);
    auto* grid = new QGridLayout(panel);
    for (int row = 0; row < 10; ++row) {
        grid->addWidget(new QLabel(QStringLiteral("Field %1").arg(row)), row, 0);
        switch (row % 3) {
        case 0: grid->addWidget(new QLineEdit, row, 1); break;
        case 1: grid->addWidget(new QSpinBox, row, 1); break;
        default: grid->addWidget(new QComboBox, row, 1); break;
        }
        grid->addWidget(new QCheckBox(QStringLiteral("On")), row, 2);
    }
    return panel;
}
