#include "jobfile.h"

#include "section/sectionfile.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <array>
#include <cmath>
#include <limits>

namespace {

constexpr QLatin1StringView kFormat("profilara-lavoro");

// The largest length the window's boxes hold, in metres, and DN, in millimetres.
constexpr double kLongestLength = 99.999;
constexpr int kLargestDN = 99999;

// A larger file is not read: no job comes near it.
constexpr qint64 kMaxJobBytes = 256 * 1024 * 1024;

// The order of the texts in a stretch's list and in an item's.
constexpr std::array<QString Stretch::*, 7> kStretchTexts{
    &Stretch::name, &Stretch::length, &Stretch::start, &Stretch::end,
    &Stretch::diameter, &Stretch::nominal, &Stretch::section};
constexpr std::array<QString StretchOrigin::*, 6> kOriginTexts{
    &StretchOrigin::from, &StretchOrigin::to, &StretchOrigin::groundStart,
    &StretchOrigin::invertStart, &StretchOrigin::groundEnd, &StretchOrigin::invertEnd};
constexpr std::array<QString PriceItem::*, 6> kItemTexts{
    &PriceItem::code, &PriceItem::description, &PriceItem::measure,
    &PriceItem::from, &PriceItem::to, &PriceItem::margin};
constexpr qsizetype kMaxStretchTexts = kStretchTexts.size() + kOriginTexts.size();

// The system's own words for a failure, after the program's.
QString systemSays(const QFileDevice &file)
{
    return QStringLiteral(" (il sistema risponde: «%1»)").arg(file.errorString());
}

QString notAJob(const QString &reason)
{
    return QStringLiteral("Il file non è un lavoro di Profilara: %1.").arg(reason);
}

std::optional<int> wholeNumber(const QJsonValue &value)
{
    const double number = value.toDouble();
    if (!value.isDouble() || number != std::trunc(number) || std::abs(number) > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(number);
}

// The texts of a list, or nothing when it is not a list of texts.
std::optional<QStringList> textsOf(const QJsonValue &value)
{
    if (!value.isArray())
        return std::nullopt;
    QStringList texts;
    for (const QJsonValue &text : value.toArray()) {
        if (!text.isString())
            return std::nullopt;
        texts << text.toString();
    }
    return texts;
}

// The job's keys read one by one; the first problem met is kept.
class Fields
{
public:
    explicit Fields(const QJsonObject &object) : m_object(object) {}

    QJsonValue value(const QString &key)
    {
        const QJsonValue value = m_object.value(key);
        if (value.isUndefined())
            refuse(QStringLiteral("manca «%1»").arg(key));
        return value;
    }
    double number(const QString &key)
    {
        const QJsonValue value = this->value(key);
        if (!value.isDouble())
            refuse(QStringLiteral("«%1» non è un numero").arg(key));
        return value.toDouble();
    }
    // A length in metres as the window's boxes hold one: from `least` to
    // 99,999, to the millimetre.
    double length(const QString &key, double least)
    {
        const double metres = number(key);
        const double millimetres = metres * 1000;
        if (problem().isEmpty()
            && (metres < least - 1e-9 || metres > kLongestLength || std::abs(millimetres - std::round(millimetres)) > 1e-6))
            refuse(QStringLiteral("«%1» non è una lunghezza da %2 a 99,999 m, al millimetro")
                       .arg(key, least > 0 ? QStringLiteral("0,001") : QStringLiteral("0")));
        return metres;
    }
    QString text(const QString &key)
    {
        const QJsonValue value = this->value(key);
        if (!value.isString())
            refuse(QStringLiteral("«%1» non è un testo").arg(key));
        return value.toString();
    }
    // The lists of texts under the key, each with at most `most` texts;
    // `what` names one ("il tratto %1").
    QList<QStringList> lists(const QString &key, const QString &what, qsizetype most)
    {
        const QJsonValue value = this->value(key);
        if (!value.isArray())
            refuse(QStringLiteral("«%1» non è una lista").arg(key));
        QList<QStringList> lists;
        for (const QJsonValue &list : value.toArray()) {
            const std::optional<QStringList> texts = textsOf(list);
            if (!texts)
                refuse(QStringLiteral("%1 non è una lista di testi").arg(what.arg(lists.size() + 1)));
            else if (texts->size() > most)
                refuse(QStringLiteral("%1 ha più di %2 valori").arg(what.arg(lists.size() + 1)).arg(most));
            if (!m_problem.isEmpty())
                return {};
            lists << *texts;
        }
        return lists;
    }

    void refuse(const QString &problem)
    {
        if (m_problem.isEmpty())
            m_problem = problem;
    }
    const QString &problem() const { return m_problem; }

private:
    const QJsonObject &m_object;
    QString m_problem;
};

} // namespace

QByteArray jobBytes(const Job &job)
{
    QJsonArray stretches;
    for (const Stretch &stretch : job.stretches) {
        QJsonArray texts;
        for (QString Stretch::*text : kStretchTexts)
            texts.append(stretch.*text);
        // Only an imported stretch has an origin.
        if (!stretch.origin.isEmpty()) {
            for (QString StretchOrigin::*text : kOriginTexts)
                texts.append(stretch.origin.*text);
        }
        stretches.append(texts);
    }
    QJsonArray items;
    for (const PriceItem &item : job.items) {
        QJsonArray texts;
        for (QString PriceItem::*text : kItemTexts)
            texts.append(item.*text);
        items.append(texts);
    }
    QJsonValue depths(QJsonValue::Null);
    if (job.depths)
        depths = QJsonObject{{"da", job.depths->from}, {"a", job.depths->to}, {"passo", job.depths->step}};

    // QJsonObject keeps its keys sorted, which makes the bytes the same
    // for the same job.
    const QJsonObject file{{"formato", kFormat},
                           {"versione", kJobVersion},
                           {"lavoro", job.name},
                           {"L", job.L},
                           {"P", job.P},
                           {"D", job.D},
                           {"DN", job.DN ? QJsonValue(*job.DN) : QJsonValue(QJsonValue::Null)},
                           {"spessore", job.wall},
                           {"profondita", depths},
                           {"tratti", stretches},
                           {"voci", items}};
    return QJsonDocument(file).toJson(QJsonDocument::Indented);
}

std::variant<Job, QString> jobFromBytes(const QByteArray &bytes)
{
    if (bytes.trimmed().isEmpty())
        return notAJob(QStringLiteral("il file è vuoto"));
    // Qt's parser reads past a byte order mark an editor may put first.
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        const QByteArray before = bytes.left(error.offset);
        const QByteArray lineBefore = before.mid(before.lastIndexOf('\n') + 1);
        return notAJob(QStringLiteral("il testo non è JSON valido (riga %1, colonna %2)")
                           .arg(before.count('\n') + 1)
                           .arg(QString::fromUtf8(lineBefore).size() + 1));
    }
    if (!document.isObject())
        return notAJob(QStringLiteral("il testo JSON non è un oggetto"));

    const QJsonObject object = document.object();
    Fields fields(object);
    const QJsonValue format = fields.value(QStringLiteral("formato"));
    if (format.toString() != kFormat)
        fields.refuse(QStringLiteral("«formato» non è «%1»").arg(kFormat));
    const QJsonValue versionValue = fields.value(QStringLiteral("versione"));
    const std::optional<int> version = wholeNumber(versionValue);
    if (!version || *version < 1)
        fields.refuse(QStringLiteral("«versione» non è un numero intero positivo"));
    if (!fields.problem().isEmpty())
        return notAJob(fields.problem());
    // A later version may have changed any other key.
    if (*version > kJobVersion)
        return QStringLiteral("Il lavoro è stato scritto da una versione più recente di Profilara.");

    Job job;
    job.name = fields.text(QStringLiteral("lavoro"));
    job.L = fields.length(QStringLiteral("L"), 0.001);
    job.P = fields.length(QStringLiteral("P"), 0.001);
    job.D = fields.length(QStringLiteral("D"), 0.001);
    const QJsonValue nominal = fields.value(QStringLiteral("DN"));
    if (!nominal.isNull()) {
        job.DN = wholeNumber(nominal);
        if (!job.DN || *job.DN < 1 || *job.DN > kLargestDN)
            fields.refuse(QStringLiteral("«DN» non è un numero intero da 1 a 99999"));
    }
    job.wall = fields.length(QStringLiteral("spessore"), 0);

    const QJsonValue depths = fields.value(QStringLiteral("profondita"));
    if (depths.isObject()) {
        const QJsonObject boxes = depths.toObject();
        DepthBoxes given;
        const std::pair<QString, QString DepthBoxes::*> keys[] = {
            {QStringLiteral("da"), &DepthBoxes::from}, {QStringLiteral("a"), &DepthBoxes::to},
            {QStringLiteral("passo"), &DepthBoxes::step}};
        for (const auto &[key, box] : keys) {
            const QJsonValue value = boxes.value(key);
            if (!value.isString())
                fields.refuse(QStringLiteral("in «profondita», «%1» non è un testo").arg(key));
            given.*box = value.toString();
        }
        job.depths = given;
    } else if (!depths.isNull()) {
        fields.refuse(QStringLiteral("«profondita» non è un oggetto"));
    }

    // A stretch's missing texts are empty.
    const QList<QStringList> stretches =
        fields.lists(QStringLiteral("tratti"), QStringLiteral("il tratto %1"), kMaxStretchTexts);
    for (const QStringList &texts : stretches) {
        Stretch stretch;
        for (size_t i = 0; i < kStretchTexts.size(); ++i)
            stretch.*kStretchTexts[i] = texts.value(qsizetype(i));
        for (size_t i = 0; i < kOriginTexts.size(); ++i)
            stretch.origin.*kOriginTexts[i] = texts.value(qsizetype(kStretchTexts.size() + i));
        job.stretches.push_back(stretch);
    }
    const QList<QStringList> items =
        fields.lists(QStringLiteral("voci"), QStringLiteral("la voce %1"), kItemTexts.size());
    for (const QStringList &texts : items) {
        PriceItem item;
        for (size_t i = 0; i < kItemTexts.size(); ++i)
            item.*kItemTexts[i] = texts.value(qsizetype(i));
        job.items.push_back(item);
    }

    if (!fields.problem().isEmpty())
        return notAJob(fields.problem());
    return job;
}

std::optional<QString> writeJob(const QString &path, const Job &job)
{
    for (const double number : {job.L, job.P, job.D, job.wall}) {
        if (!std::isfinite(number))
            return QStringLiteral("Il lavoro non può essere salvato: L, P, D e lo spessore del tubo devono essere "
                                  "numeri finiti.");
    }
    // Through a temporary file only: on any failure the file keeps its bytes.
    const WriteResult result = writeFileBytes(jobBytes(job), path, InPlace::Refused);
    if (result.error)
        return result.error->message;
    return std::nullopt;
}

std::variant<Job, QString> readJob(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("Non è possibile aprire il file in lettura%1.").arg(systemSays(file));
    if (file.size() > kMaxJobBytes)
        return notAJob(QStringLiteral("il file è troppo grande (oltre 256 MiB)"));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return QStringLiteral("La lettura del file si è interrotta%1.").arg(systemSays(file));
    return jobFromBytes(bytes);
}

namespace {

// The path cleaned and made absolute against the folder, '\' taken for '/'.
QString absoluteAgainst(QString path, const QString &folder)
{
    path.replace(u'\\', u'/');
    return QDir::cleanPath(QDir(folder).absoluteFilePath(path));
}

} // namespace

QString storedSectionPath(const QString &path, const QString &jobFolder)
{
    if (path.isEmpty())
        return {};
    const QString absolute = absoluteAgainst(path, jobFolder);
    // Another drive on Windows gives an absolute path.
    const QString relative = QDir(jobFolder).relativeFilePath(absolute);
    if (relative == u".." || relative.startsWith(u"../") || QDir::isAbsolutePath(relative))
        return absolute;
    return relative;
}

QString resolvedSectionPath(const QString &stored, const QString &jobFolder)
{
    return stored.isEmpty() ? QString() : absoluteAgainst(stored, jobFolder);
}
