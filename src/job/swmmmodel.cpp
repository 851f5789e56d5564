#include "swmmmodel.h"

#include "takeoff/numbers.h"

#include <QHash>
#include <QStringView>
#include <cmath>
#include <optional>

namespace {

constexpr double kFoot = 0.3048;

enum class Part { Other, Options, Junctions, Storage, Outfalls, Dividers, Conduits, CrossSections };

Part partOf(const QString &header)
{
    static const QHash<QString, Part> parts{
        {QStringLiteral("[OPTIONS]"), Part::Options},     {QStringLiteral("[JUNCTIONS]"), Part::Junctions},
        {QStringLiteral("[STORAGE]"), Part::Storage},     {QStringLiteral("[OUTFALLS]"), Part::Outfalls},
        {QStringLiteral("[DIVIDERS]"), Part::Dividers},   {QStringLiteral("[CONDUITS]"), Part::Conduits},
        {QStringLiteral("[XSECTIONS]"), Part::CrossSections}};
    return parts.value(header.toUpper(), Part::Other);
}

struct Node
{
    QString name;
    double elevation = 0;           // of its invert
    std::optional<double> maxDepth; // to the ground; none for an outfall, a divider, a MaxDepth of 0
    qsizetype line = 0;
};

struct Conduit
{
    QString name;
    QString from;
    QString to;
    double length = 0;
    std::optional<double> offsets[2]; // at the start and the end; none: "*"
};

struct CrossSection
{
    QString shape; // upper case
    double geom1 = 0;
    int barrels = 1;
};

struct Model
{
    bool feet = true; // CFS unless told
    bool elevationOffsets = false;
    QHash<QString, Node> nodes; // by the name case folded
    std::vector<Conduit> conduits;
    QHash<QString, qsizetype> conduitLines;
    QHash<QString, CrossSection> sections;
};

// The fields of a line as SWMM splits it: blanks or tabs between them, a
// field in double quotes may hold blanks, ";" starts a comment.
QStringList fieldsOf(QStringView line)
{
    QStringList fields;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i < n) {
        const QChar c = line[i];
        if (c == u' ' || c == u'\t' || c == u'\r') {
            ++i;
        } else if (c == u';') {
            break;
        } else if (c == u'"') {
            const qsizetype close = line.indexOf(u'"', i + 1);
            const qsizetype end = close < 0 ? n : close;
            fields << line.sliced(i + 1, end - i - 1).toString();
            i = end + 1;
        } else {
            const qsizetype start = i;
            while (i < n && line[i] != u' ' && line[i] != u'\t' && line[i] != u'\r' && line[i] != u';')
                ++i;
            fields << line.sliced(start, i - start).toString();
        }
    }
    return fields;
}

// A thousand kilometres (or feet): no length, level or diameter of a
// sewer comes near it, and none beyond it is taken for one.
constexpr double kLargestValue = 1e6;

// Whether a field is a finite number, however large.
bool isFinite(const QString &field)
{
    bool ok = false;
    return std::isfinite(field.toDouble(&ok)) && ok;
}

std::optional<double> numberOf(const QString &field)
{
    bool ok = false;
    const double value = field.toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::abs(value) > kLargestValue)
        return std::nullopt;
    return value;
}

QString lineText(qsizetype line)
{
    return QStringLiteral("Riga %1: ").arg(line);
}

// Reads the file's lines into the model; why a line cannot be read, if so.
class ModelReader
{
public:
    explicit ModelReader(Model &model) : m_model(model) {}

    std::optional<QString> read(Part part, const QStringList &fields, qsizetype line)
    {
        m_fields = &fields;
        m_line = line;
        switch (part) {
        case Part::Options:
            return option();
        case Part::Junctions:
            return node("JUNCTIONS", true, 2);
        case Part::Storage:
            return node("STORAGE", true, 3);
        case Part::Outfalls:
            return node("OUTFALLS", false, 2);
        case Part::Dividers:
            return node("DIVIDERS", false, 2);
        case Part::Conduits:
            return conduit();
        case Part::CrossSections:
            return crossSection();
        case Part::Other:
            break;
        }
        return std::nullopt;
    }

private:
    const QString &field(qsizetype i) const { return m_fields->at(i); }

    QString notANumber(qsizetype i, const QString &title, const QString &whose, const QString &also = {}) const
    {
        const QString value = field(i).left(40);
        if (isFinite(field(i)) && !numberOf(field(i)))
            return lineText(m_line) + QStringLiteral("il valore «%1» di %2 %3 è troppo grande.").arg(value, title, whose);
        return lineText(m_line)
               + QStringLiteral("il valore «%1» di %2 %3 non è un numero%4.").arg(value, title, whose, also);
    }

    std::optional<QString> tooFew(const char *section, const QStringList &titles) const
    {
        if (m_fields->size() >= titles.size())
            return std::nullopt;
        return lineText(m_line)
               + QStringLiteral("in [%1] mancano dei valori: ne servono almeno %2 (%3).")
                     .arg(QLatin1StringView(section))
                     .arg(titles.size())
                     .arg(titles.join(QStringLiteral(", ")));
    }

    std::optional<QString> option()
    {
        const QString name = field(0).toUpper();
        if (name != u"FLOW_UNITS" && name != u"LINK_OFFSETS")
            return std::nullopt;
        if (m_fields->size() < 2)
            return lineText(m_line) + QStringLiteral("manca il valore di %1.").arg(name);
        const QString value = field(1).toUpper();
        if (name == u"FLOW_UNITS") {
            if (value == u"CFS" || value == u"GPM" || value == u"MGD")
                m_model.feet = true;
            else if (value == u"CMS" || value == u"LPS" || value == u"MLD")
                m_model.feet = false;
            else
                return lineText(m_line)
                       + QStringLiteral("FLOW_UNITS «%1» non è un'unità di SWMM: CFS, GPM, MGD, CMS, LPS o MLD.")
                             .arg(field(1).left(40));
        } else if (value == u"DEPTH" || value == u"ELEVATION") {
            m_model.elevationOffsets = value == u"ELEVATION";
        } else {
            return lineText(m_line)
                   + QStringLiteral("LINK_OFFSETS «%1» non è né DEPTH né ELEVATION.").arg(field(1).left(40));
        }
        return std::nullopt;
    }

    // A node's Name and Elevation, and its MaxDepth where it has a ground.
    std::optional<QString> node(const char *section, bool ground, qsizetype required)
    {
        const QStringList titles{QStringLiteral("Name"), QStringLiteral("Elevation"), QStringLiteral("MaxDepth")};
        if (auto problem = tooFew(section, titles.first(required)))
            return problem;
        Node node;
        node.name = field(0);
        node.line = m_line;
        const QString whose = QStringLiteral("del nodo %1").arg(node.name);
        const std::optional<double> elevation = numberOf(field(1));
        if (!elevation)
            return notANumber(1, titles[1], whose);
        node.elevation = *elevation;
        if (ground && m_fields->size() > 2) {
            const std::optional<double> depth = numberOf(field(2));
            if (!depth)
                return notANumber(2, titles[2], whose);
            if (*depth > 0)
                node.maxDepth = *depth;
        }
        const QString key = node.name.toCaseFolded();
        if (const auto before = m_model.nodes.constFind(key); before != m_model.nodes.cend())
            return lineText(m_line)
                   + QStringLiteral("il nodo %1 compare già alla riga %2.").arg(node.name).arg(before->line);
        m_model.nodes.insert(key, node);
        return std::nullopt;
    }

    std::optional<QString> conduit()
    {
        if (auto problem = tooFew("CONDUITS",
                                  {QStringLiteral("Name"), QStringLiteral("From Node"), QStringLiteral("To Node"),
                                   QStringLiteral("Length"), QStringLiteral("Roughness"), QStringLiteral("InOffset"),
                                   QStringLiteral("OutOffset")}))
            return problem;
        Conduit conduit;
        conduit.name = field(0);
        conduit.from = field(1);
        conduit.to = field(2);
        const QString whose = QStringLiteral("della condotta %1").arg(conduit.name);
        const std::optional<double> length = numberOf(field(3));
        if (!length)
            return notANumber(3, QStringLiteral("Length"), whose);
        conduit.length = *length;
        if (!numberOf(field(4)))
            return notANumber(4, QStringLiteral("Roughness"), whose);
        const QString titles[] = {QStringLiteral("InOffset"), QStringLiteral("OutOffset")};
        for (int end = 0; end < 2; ++end) {
            if (field(5 + end) == u"*")
                continue;
            conduit.offsets[end] = numberOf(field(5 + end));
            if (!conduit.offsets[end])
                return notANumber(5 + end, titles[end], whose, QStringLiteral(" né «*»"));
        }
        const QString key = conduit.name.toCaseFolded();
        if (const auto before = m_model.conduitLines.constFind(key); before != m_model.conduitLines.cend())
            return lineText(m_line)
                   + QStringLiteral("la condotta %1 compare già alla riga %2.").arg(conduit.name).arg(*before);
        m_model.conduitLines.insert(key, m_line);
        m_model.conduits.push_back(std::move(conduit));
        return std::nullopt;
    }

    // Link, Shape, Geom1 ... Geom4, Barrels; an IRREGULAR or STREET section
    // names its transect or street instead.
    std::optional<QString> crossSection()
    {
        if (auto problem = tooFew("XSECTIONS", {QStringLiteral("Link"), QStringLiteral("Shape"),
                                                QStringLiteral("Geom1")}))
            return problem;
        CrossSection section;
        section.shape = field(1).toUpper();
        const QString whose = QStringLiteral("della sezione di %1").arg(field(0));
        if (section.shape == u"CIRCULAR" || section.shape == u"FORCE_MAIN") {
            const std::optional<double> geom1 = numberOf(field(2));
            if (!geom1 || *geom1 <= 0)
                return notANumber(2, QStringLiteral("Geom1"), whose, QStringLiteral(" maggiore di zero"));
            section.geom1 = *geom1;
        }
        if (section.shape != u"IRREGULAR" && section.shape != u"STREET" && m_fields->size() > 6) {
            const std::optional<double> barrels = numberOf(field(6));
            if (!barrels || *barrels < 1 || *barrels != std::floor(*barrels))
                return notANumber(6, QStringLiteral("Barrels"), whose, QStringLiteral(" intero maggiore di zero"));
            section.barrels = int(*barrels);
        }
        m_model.sections.insert(field(0).toCaseFolded(), section); // a later line overrides, as in SWMM
        return std::nullopt;
    }

    Model &m_model;
    const QStringList *m_fields = nullptr;
    qsizetype m_line = 0;
};

// "il nodo A" or "i nodi A e B", and the verb's ending.
QString nodesText(const QStringList &names, const QString &one, const QString &more)
{
    return names.size() == 1 ? QStringLiteral("il nodo %1 %2").arg(names[0], one)
                             : QStringLiteral("i nodi %1 e %2 %3").arg(names[0], names[1], more);
}

} // namespace

ImportResult readSwmmModel(const QByteArray &bytes, double wall)
{
    const QString text = importedText(bytes);
    Model model;
    ModelReader reader(model);
    Part part = Part::Other;
    qsizetype line = 0;
    for (const QStringView written : QStringView(text).split(u'\n')) {
        ++line;
        const QStringList fields = fieldsOf(written);
        if (fields.isEmpty())
            continue;
        if (fields[0].startsWith(u'[')) {
            part = partOf(fields[0]);
            continue;
        }
        if (std::optional<QString> problem = reader.read(part, fields, line))
            return *problem;
    }
    if (model.conduits.empty())
        return QStringLiteral("Nel file non c'è nessuna condotta ([CONDUITS]): nessun tratto da importare.");

    const double unit = model.feet ? kFoot : 1.0;
    ImportedStretches imported;
    imported.fromFeet = model.feet;
    imported.stretches.reserve(model.conduits.size());
    for (const Conduit &conduit : model.conduits) {
        const QString who = QStringLiteral("Tratto %1: ").arg(conduit.name);
        const Node *nodes[2] = {nullptr, nullptr};
        QStringList missing;
        for (int end = 0; end < 2; ++end) {
            const QString &name = end == 0 ? conduit.from : conduit.to;
            const auto found = model.nodes.constFind(name.toCaseFolded());
            if (found == model.nodes.cend())
                missing << name;
            else
                nodes[end] = &*found;
        }
        if (!missing.isEmpty()) {
            imported.notes << who + nodesText(missing, QStringLiteral("non è nel file"), QStringLiteral("non sono nel file"))
                                  + QStringLiteral(": il tratto non è stato importato.");
            continue;
        }

        Stretch stretch;
        stretch.name = conduit.name;
        stretch.length = importedNumber(conduit.length * unit);
        stretch.origin.from = nodes[0]->name;
        stretch.origin.to = nodes[1]->name;
        QString *const depths[] = {&stretch.start, &stretch.end};
        QString *const grounds[] = {&stretch.origin.groundStart, &stretch.origin.groundEnd};
        QString *const inverts[] = {&stretch.origin.invertStart, &stretch.origin.invertEnd};
        QStringList groundless;
        for (int end = 0; end < 2; ++end) {
            const Node &node = *nodes[end];
            const std::optional<double> &offset = conduit.offsets[end];
            const double invert = !offset ? node.elevation
                                  : model.elevationOffsets ? *offset
                                                           : node.elevation + *offset;
            *inverts[end] = levelText(invert * unit);
            if (!node.maxDepth) {
                if (!groundless.contains(node.name))
                    groundless << node.name;
                continue;
            }
            *grounds[end] = levelText((node.elevation + *node.maxDepth) * unit);
            const double depth = !offset                  ? *node.maxDepth
                                 : model.elevationOffsets ? node.elevation + *node.maxDepth - *offset
                                                          : *node.maxDepth - *offset;
            *depths[end] = importedNumber(depth * unit + wall);
        }

        QStringList told;
        const auto section = model.sections.constFind(conduit.name.toCaseFolded());
        if (section == model.sections.cend()) {
            told << QStringLiteral("non ha una riga in [XSECTIONS]: scrivere D");
        } else if (section->shape == u"CIRCULAR" || section->shape == u"FORCE_MAIN") {
            stretch.diameter = importedNumber(section->geom1 * unit + 2 * wall);
            stretch.nominal = QString::number(std::lround(section->geom1 * unit * 1000));
        } else {
            told << QStringLiteral("sezione %1: scrivere D").arg(section->shape);
        }
        if (section != model.sections.cend() && section->barrels > 1)
            told << QStringLiteral("%1 canne affiancate: le quantità detraggono un solo tubo").arg(section->barrels);
        if (!groundless.isEmpty()) {
            const QString ends = stretch.start.isEmpty() && stretch.end.isEmpty() ? QStringLiteral("P inizio e P fine")
                                 : stretch.start.isEmpty()                         ? QStringLiteral("P inizio")
                                                                                   : QStringLiteral("P fine");
            told << nodesText(groundless, QStringLiteral("non ha la quota del terreno"),
                              QStringLiteral("non hanno la quota del terreno"))
                        + QStringLiteral(": scrivere ") + ends;
        }
        if (!told.isEmpty())
            imported.notes << who + told.join(QStringLiteral("; ")) + u'.';
        imported.stretches.push_back(std::move(stretch));
    }
    return imported;
}
