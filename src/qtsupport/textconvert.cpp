#include "textconvert.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringList>

QString Latin1ToQt(const std::string& bytes)
{
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

std::string QtToLatin1(const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), size_t(bytes.size()));
}

QString CharsNotInLatin1(const QString& text)
{
    QString found;
    // Whole code points, so a character outside the basic plane is named as one.
    for (const char32_t c : text.toUcs4()) {
        if (c <= 0xff)
            continue;
        const QString one = QString::fromUcs4(&c, 1);
        if (!found.contains(one))
            found += one;
    }
    return found;
}

QString NotInLatin1Message(const QString& what, const QString& chars)
{
    QStringList quoted;
    for (const char32_t c : chars.toUcs4())
        quoted << QStringLiteral("\"%1\"").arg(QString::fromUcs4(&c, 1));
    return QStringLiteral("%1 contains %2, which the cockpit file cannot hold: it stores one "
                          "byte per character (Latin-1).\nPlease replace or remove %3.")
        .arg(what, quoted.join(QStringLiteral(", ")),
             quoted.size() == 1 ? QStringLiteral("it") : QStringLiteral("them"));
}

QString MessageToQt(const std::string& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    if (utf8.hasError())
        return Latin1ToQt(bytes);
    return text;
}

std::string PathToCore(const QString& path)
{
#ifdef _WIN32
    return path.toUtf8().toStdString();
#else
    return QFile::encodeName(path).toStdString();
#endif
}

QString PathFromCore(const std::string& path)
{
#ifdef _WIN32
    return MessageToQt(path); // UTF-8, or the Latin-1 the core reads other bytes as
#else
    return QFile::decodeName(path.c_str());
#endif
}
