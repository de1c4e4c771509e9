#pragma once

#include <QWidget>

class Services;

// The UPC code generator: the right half of the main window.
class GeneratorPanel : public QWidget
{
    Q_OBJECT
public:
    explicit GeneratorPanel(Services &services, QWidget *parent = nullptr);

    // The start-up lets the count and interval boxes take input.
    void enableCountAndInterval();

    // The generator's part of the main window's start-up, given the maker's
    // announcement page as fetched (empty when the fetch failed).
    void runStartupSteps(const QString &announcementPage);

private:
    Services &services;
};
