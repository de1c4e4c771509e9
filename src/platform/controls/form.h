#pragma once

#include <QWidget>

// A window of the program. Positions and sizes are given in twips, the unit the
// window layouts are drawn in (15 twips = 1 pixel).
class Form : public QWidget
{
    Q_OBJECT
public:
    explicit Form(QWidget *parent = nullptr);

    static int twips(int value) { return value / 15; }

    QString Caption() const { return windowTitle(); }
    void setCaption(const QString &caption) { setWindowTitle(caption); }
    void setClientSizeTwips(int width, int height);

    // Runs Form_Load once; showing the window afterwards is the caller's choice.
    void load();
    bool isLoaded() const { return loaded; }

    // Closes the window as the user's close would: Form_QueryUnload may cancel.
    void Unload() { close(); }

protected:
    virtual void Form_Load() {}
    // Set cancel to keep the window open.
    virtual void Form_QueryUnload(bool &cancel) { Q_UNUSED(cancel); }

    void closeEvent(QCloseEvent *event) override;

private:
    bool loaded = false;
};
