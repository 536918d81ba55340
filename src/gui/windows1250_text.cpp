#include "gui/windows1250_text.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace zvk {
namespace {

constexpr const char* kCodePage = "windows-1250";

} // namespace

QString FromWindows1250(std::string_view bytes)
{
    QStringDecoder decoder(kCodePage);
    return decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string ToWindows1250(const QString& text)
{
    QStringEncoder encoder(kCodePage);
    const QByteArray bytes = encoder(text);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

bool FitsWindows1250(const QString& text)
{
    QStringEncoder encoder(kCodePage, QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder(text);
    return !encoder.hasError() &&
           FromWindows1250({bytes.constData(), static_cast<std::size_t>(bytes.size())}) == text;
}

} // namespace zvk
