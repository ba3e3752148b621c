#pragma once

#include <QString>
#include <QStringView>

#include <functional>

// How the question dialog sizes itself to a message and wraps it. Sizes are
// the dialog's outer size, frame and title bar included.

struct MessageFitRequest {
    QString message;
    int left = 0;       // the dialog's current outer left edge
    int width = 0;      // the dialog's current outer width
    int labelWidth = 0; // the message label's width at that outer width; the
                        // label grows and shrinks with the dialog
    int screenLeft = 0; // edges of the monitor the dialog is on
    int screenRight = 0;
    // Width of a piece of the message in the label's font; a line feed
    // inside the piece starts a new line (the widest line counts).
    std::function<int(QStringView)> textWidth;
};

struct MessageFit {
    int left = 0;
    int width = 0;
    int height = 0;
    QString text; // the message with the line feeds the wrapping inserted
};

// The dialog is 314 wide (628 for a message over 300 characters), keeps its
// centre, and stays on the monitor; its height grows with the message's
// length and line feeds. A part of the message wider than the label is
// broken after a backslash or slash that still fits; a word with no such
// break point widens the dialog so that the word fits, and the word is
// broken there. Always returns, whatever the measurer says.
MessageFit FitDialogToMessage(const MessageFitRequest &request);
