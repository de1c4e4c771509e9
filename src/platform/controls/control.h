#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

// The part every window control shares: it owns one Qt widget, created as a child of
// the window, named after the control so tests find it with findChild. Controls are
// by-value members of their window; connections to the widget end with the control.
class Control : public QObject
{
    Q_OBJECT
public:
    ~Control() override;

    void setGeometryTwips(int left, int top, int width, int height);
    // Enabled and Visible are the control's own settings, as on Windows: a box on a
    // window that is not shown yet still reads visible.
    void setEnabled(bool enabled);
    bool isEnabled() const;
    void setVisible(bool visible);
    bool isVisible() const;
    void setFocus();

protected:
    Control(QWidget *widget, const QString &name);

    QWidget *baseWidget() const { return ownedWidget; }

    // A window assigns only the handlers it has; an empty one is skipped.
    template<typename Handler, typename... Args>
    static void run(const Handler &handler, Args &&...args)
    {
        if (handler)
            handler(std::forward<Args>(args)...);
    }

private:
    QPointer<QWidget> ownedWidget;
};
