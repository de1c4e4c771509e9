#include "main/form1.h"

#include <QHBoxLayout>

Form1::Form1(Services &services, QWidget *parent)
    : Form(parent)
    , profitPanel(services, this)
    , generatorPanel(services, this)
    , services(services)
{
    setCaption(QStringLiteral("Skarvel - Tobrin"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(&profitPanel);
    layout->addWidget(&generatorPanel);
}
