#include "upc/generator_panel.h"

GeneratorPanel::GeneratorPanel(Services &services, QWidget *parent)
    : QWidget(parent)
    , services(services)
{
}

void GeneratorPanel::enableCountAndInterval()
{
}

void GeneratorPanel::runStartupSteps(const QString &announcementPage)
{
    Q_UNUSED(announcementPage);
}
