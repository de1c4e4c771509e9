#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>

class Form;

// A tool window shown modeless beside the main window: made and loaded on first
// use, brought to the front when it is already open, and deleted once the user has
// closed it, so that the next opening loads it afresh from its design state.
class ToolWindow : public QObject
{
    Q_OBJECT
public:
    using Factory = std::function<Form *()>;

    explicit ToolWindow(Factory make, QObject *parent = nullptr);
    ~ToolWindow() override;

    void show();
    // The window while it is open; null before the first opening and once closed.
    Form *window() const;

private:
    void deleteClosed();

    Factory make;
    QPointer<Form> current;
    // Closed windows not yet deleted.
    QList<QPointer<Form>> closed;
};
