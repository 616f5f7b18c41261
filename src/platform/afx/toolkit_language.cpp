#include "platform/afx/toolkit_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace afx {
namespace {

std::unique_ptr<QTranslator> g_translator;

}  // namespace

bool SetToolkitLanguage(const std::string& localeName) {
    if (g_translator) {
        QCoreApplication::removeTranslator(g_translator.get());
        g_translator.reset();
    }
    if (localeName.empty() || QCoreApplication::instance() == nullptr) {
        return false;
    }
    // "qt_<name>" is the whole catalog of the toolkit's modules for the language.
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qt_") + QString::fromStdString(localeName),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return false;
    }
    QCoreApplication::installTranslator(translator.get());
    g_translator = std::move(translator);
    return true;
}

}  // namespace afx
