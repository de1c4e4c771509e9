#pragma once

#include "upc/packager_window.h"

// The GS1 packager: packs a GS1 code pack, whose UPC-A and EAN-13 artwork hold
// three files for each code.
class Form7 : public PackagerWindow
{
    Q_OBJECT
public:
    explicit Form7(Services &services, QWidget *parent = nullptr);

    Label Label67{this, "Label67", QStringLiteral("点击打开UPC码官网查价")};

    void Label67_Click();
};
