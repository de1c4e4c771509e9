#pragma once

#include <QComboBox>

#include <functional>

// A QComboBox that runs a hook each time its list has dropped down, however it was
// opened (the arrow, Alt+Down, F4, code), once Qt has set up the open list.
class OpenHookComboBox : public QComboBox
{
public:
    using QComboBox::QComboBox;

    void showPopup() override;

    std::function<void()> opened;
};
