#pragma once

#include "upc/packager_window.h"

// The generator-variant packager: packs the barcode GIFs the generator exported.
class Form8 : public PackagerWindow
{
    Q_OBJECT
public:
    explicit Form8(Services &services, QWidget *parent = nullptr);
};
