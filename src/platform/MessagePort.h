#pragma once

#include <QString>

namespace kestrane {

// Modal message boxes under the application's title with one OK button. The
// style value picks the icon: 16 error, 48 exclamation, 64 information.
class MessagePort {
public:
    enum Style { Error = 16, Exclamation = 48, Information = 64 };

    virtual ~MessagePort() = default;
    virtual void show(const QString& text, int style) = 0;
    // The one question with two answers, Yes and No, No the default (also
    // when the box is dismissed): true for Yes.
    virtual bool ask(const QString& text) = 0;
    // A question whose likely answer is Yes: Yes is the default, No answers
    // a dismissed box.
    virtual bool askYesFirst(const QString& text) { return ask(text); }
};

} // namespace kestrane
