#pragma once

#include <QTranslator>

namespace cli {

// Gives Qt's command-line parser Hungarian texts ("Használat:",
// "Kapcsolók:", its error messages), since the program ships no Qt
// translation files.
class CliTranslator final : public QTranslator {
    Q_OBJECT
public:
    using QTranslator::QTranslator;

    QString translate(const char *context, const char *sourceText,
                      const char *disambiguation = nullptr, int n = -1) const override;
    bool isEmpty() const override { return false; }
};

} // namespace cli
