#include "job/jobdocument.h"
#include "job/jobfile.h"
#include "job/sectionfiles.h"
#include "testsupport.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <limits>

// The job's file byte for byte, what it reads past, the files it refuses
// and why, its write and read failing on disk, and the section files'
// paths kept relative to the job's folder.

namespace {

// Every kind of value a job holds: an accent, a blank, commas, an imported
// stretch, an item.
Job pipeline()
{
    Job job;
    job.name = QStringLiteral("Fognatura di Città Alta");
    job.D = 0.25;
    job.DN = 250;
    job.wall = 0.018;
    job.depths = DepthBoxes{"1,00", "3,00", "0,50"};
    job.stretches = {{"P1-P2", "40", "1,20", " 1,50", "", "", "sezioni/roccia.txt", {}},
                     {"N7-N8", "35,5", "1,40", "1,80", "0,315", "315", "",
                      {"N7", "N8", "105.20", "103.80", "104.90", "103.10"}}};
    job.items = {{"E.01.001", "Scavo a sezione obbligata", "Scavo", "0", "1,50", "0,20"}};
    return job;
}

const QByteArray kPipelineFile = R"({
    "D": 0.25,
    "DN": 250,
    "L": 0.8,
    "P": 1.5,
    "formato": "profilara-lavoro",
    "lavoro": "Fognatura di Città Alta",
    "profondita": {
        "a": "3,00",
        "da": "1,00",
        "passo": "0,50"
    },
    "spessore": 0.018,
    "tratti": [
        [
            "P1-P2",
            "40",
            "1,20",
            " 1,50",
            "",
            "",
            "sezioni/roccia.txt"
        ],
        [
            "N7-N8",
            "35,5",
            "1,40",
            "1,80",
            "0,315",
            "315",
            "",
            "N7",
            "N8",
            "105.20",
            "103.80",
            "104.90",
            "103.10"
        ]
    ],
    "versione": 1,
    "voci": [
        [
            "E.01.001",
            "Scavo a sezione obbligata",
            "Scavo",
            "0",
            "1,50",
            "0,20"
        ]
    ]
}
)";

// A job's file with one key changed; Undefined takes it away.
QByteArray edited(const QString &key, const QJsonValue &value)
{
    QJsonObject file = QJsonDocument::fromJson(kPipelineFile).object();
    file.insert(key, value);
    return QJsonDocument(file).toJson();
}

// On Windows the tests' root is a drive's.
QString onRoot(const QString &path)
{
    return path.startsWith(u'/') ? QDir::rootPath() + path.mid(1) : path;
}

} // namespace

class TestJobFile : public QObject
{
    Q_OBJECT

private slots:
    void writtenAndReadBack();
    void readsPastWhatItDoesNotKnow();
    void refused_data();
    void refused();
    void diskFailures();
    void sectionPaths_data();
    void sectionPaths();
    void savedWithItsSectionAndOpened();
};

void TestJobFile::writtenAndReadBack()
{
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lavoro.profilara"));
    QCOMPARE(writeJob(path, pipeline()).value_or(QString()), QString());
    QCOMPARE(readFile(path), kPipelineFile);

    const std::variant<Job, QString> read = readJob(path);
    QVERIFY(std::holds_alternative<Job>(read));
    QVERIFY(std::get<Job>(read) == pipeline());
    // Saved again unchanged, the same bytes.
    QCOMPARE(writeJob(path, std::get<Job>(read)).value_or(QString()), QString());
    QCOMPARE(readFile(path), kPipelineFile);
}

void TestJobFile::readsPastWhatItDoesNotKnow()
{
    // A byte order mark, keys of a later version, nulls, a stretch short of
    // texts and one with its start and end nodes alone.
    const QByteArray file = "\xEF\xBB\xBF"
                            R"({"formato": "profilara-lavoro", "versione": 1, "colore": "rosso", "lavoro": "",
                                "L": 1, "P": 2.5, "D": 0.3, "DN": null, "spessore": 0, "profondita": null,
                                "tratti": [["A", "12"], ["B", "", "", "", "", "", "", "N1", "N2"], []],
                                "voci": [], "note": {"tratti": 3}})";
    Job job;
    job.L = 1;
    job.P = 2.5;
    job.D = 0.3;
    job.stretches = {{"A", "12", "", "", "", "", "", {}},
                     {"B", "", "", "", "", "", "", {"N1", "N2", "", "", "", ""}},
                     {}};
    const std::variant<Job, QString> read = jobFromBytes(file);
    QCOMPARE(std::get_if<QString>(&read), nullptr);
    QVERIFY(std::get<Job>(read) == job);
}

void TestJobFile::refused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");

    const QString notAJob = QStringLiteral("Il file non è un lavoro di Profilara: ");
    QTest::newRow("not JSON: a decimal comma") << QByteArray("{\n    \"versione\": 1,\n    \"L\": 0,80\n}")
                                               << notAJob + "il testo non è JSON valido (riga 3, colonna 13).";
    QTest::newRow("empty") << QByteArray(" \n") << notAJob + "il file è vuoto.";
    QTest::newRow("an array") << QByteArray("[1, 2]") << notAJob + "il testo JSON non è un oggetto.";
    QTest::newRow("another program's object") << QByteArray(R"({"versione": 1})") << notAJob + "manca «formato».";
    QTest::newRow("another formato") << edited("formato", "profilara-sezione")
                                     << notAJob + "«formato» non è «profilara-lavoro».";
    QTest::newRow("versione 1.5") << edited("versione", 1.5)
                                  << notAJob + "«versione» non è un numero intero positivo.";
    QTest::newRow("versione 2, whatever its keys") << QByteArray(R"({"formato": "profilara-lavoro", "versione": 2})")
                                                   << "Il lavoro è stato scritto da una versione più recente di "
                                                      "Profilara.";
    QTest::newRow("L a text") << edited("L", "0,80") << notAJob + "«L» non è un numero.";
    QTest::newRow("no lavoro") << edited("lavoro", QJsonValue::Undefined) << notAJob + "manca «lavoro».";
    QTest::newRow("DN not whole") << edited("DN", 250.5) << notAJob + "«DN» non è un numero intero da 1 a 99999.";
    QTest::newRow("DN below 1") << edited("DN", -5) << notAJob + "«DN» non è un numero intero da 1 a 99999.";
    QTest::newRow("L below a millimetre, a box could not hold it")
        << edited("L", -1) << notAJob + "«L» non è una lunghezza da 0,001 a 99,999 m, al millimetro.";
    QTest::newRow("a wall to a tenth of a millimetre")
        << edited("spessore", 0.0184) << notAJob + "«spessore» non è una lunghezza da 0 a 99,999 m, al millimetro.";
    QTest::newRow("profondita without passo") << edited("profondita", QJsonObject{{"da", "1"}, {"a", "2"}})
                                              << notAJob + "in «profondita», «passo» non è un testo.";
    QTest::newRow("a stretch holding a number") << edited("tratti", QJsonArray{QJsonArray{"A"}, QJsonArray{"B", 40}})
                                                << notAJob + "il tratto 2 non è una lista di testi.";
    QJsonArray fourteen;
    for (int i = 0; i < 14; ++i)
        fourteen.append(QString());
    QTest::newRow("fourteen texts") << edited("tratti", QJsonArray{fourteen})
                                    << notAJob + "il tratto 1 ha più di 13 valori.";
    QTest::newRow("an item not a list") << edited("voci", QJsonArray{"E.01.001"})
                                        << notAJob + "la voce 1 non è una lista di testi.";
    QTest::newRow("an item of seven texts") << edited("voci", QJsonArray{QJsonArray{"", "", "", "", "", "", ""}})
                                            << notAJob + "la voce 1 ha più di 6 valori.";
}

void TestJobFile::refused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    const std::variant<Job, QString> read = jobFromBytes(bytes);
    QVERIFY(std::holds_alternative<QString>(read));
    QCOMPARE(std::get<QString>(read), reason);
}

void TestJobFile::diskFailures()
{
    const QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("manca"));
    QCOMPARE(writeJob(missing + "/lavoro.profilara", pipeline()).value_or(QString()),
             QStringLiteral("La cartella %1 non esiste.").arg(QDir::toNativeSeparators(missing)));
    Job infinite = pipeline();
    infinite.P = std::numeric_limits<double>::infinity();
    QCOMPARE(writeJob(dir.filePath(QStringLiteral("lavoro.profilara")), infinite).value_or(QString()),
             QStringLiteral("Il lavoro non può essere salvato: L, P, D e lo spessore del tubo devono essere numeri "
                            "finiti."));
    QVERIFY(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));

    QFile probe(missing);
    QVERIFY(!probe.open(QIODevice::ReadOnly));
    const std::variant<Job, QString> read = readJob(missing);
    QVERIFY(std::holds_alternative<QString>(read));
    QCOMPARE(std::get<QString>(read),
             QStringLiteral("Non è possibile aprire il file in lettura (il sistema risponde: «%1»).")
                 .arg(probe.errorString()));
}

void TestJobFile::sectionPaths_data()
{
    // The job's folder is /lavori/roma; "resolved" is what both the path
    // given and the one kept resolve to.
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QString>("resolved");

    QTest::newRow("in the folder") << "/lavori/roma/sezione.txt" << "sezione.txt" << "/lavori/roma/sezione.txt";
    QTest::newRow("in a subfolder") << "/lavori/roma/sezioni/a.txt" << "sezioni/a.txt"
                                    << "/lavori/roma/sezioni/a.txt";
    QTest::newRow("outside, in a folder named alike")
        << "/lavori/romagna/a.txt" << "/lavori/romagna/a.txt" << "/lavori/romagna/a.txt";
    QTest::newRow("relative, .. out of the folder")
        << "sezioni/../../milano/a.txt" << "/lavori/milano/a.txt" << "/lavori/milano/a.txt";
    QTest::newRow(".. within it") << "/lavori/roma/sezioni/../a.txt" << "a.txt" << "/lavori/roma/a.txt";
    QTest::newRow("relative, Windows' separators") << "sezioni\\roccia\\a.txt" << "sezioni/roccia/a.txt"
                                                   << "/lavori/roma/sezioni/roccia/a.txt";
    QTest::newRow("a file whose name begins with ..") << "..a.txt" << "..a.txt" << "/lavori/roma/..a.txt";
    QTest::newRow("none") << "" << "" << "";
}

void TestJobFile::sectionPaths()
{
    QFETCH(QString, given);
    QFETCH(QString, kept);
    QFETCH(QString, resolved);
    const QString folder = onRoot(QStringLiteral("/lavori/roma"));
    QCOMPARE(storedSectionPath(onRoot(given), folder), onRoot(kept));
    QCOMPARE(resolvedSectionPath(onRoot(kept), folder), onRoot(resolved));
    QCOMPARE(resolvedSectionPath(onRoot(given), folder), onRoot(resolved));
}

// A job whose stretch names a section file beside it, as a dialog gives
// the path (native separators): saved, the path kept relative with '/';
// opened again in another document, the section read from beside the job
// (the Wine run checks it with Windows' own paths).
void TestJobFile::savedWithItsSectionAndOpened()
{
    const QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("sezioni")));
    const QString section = folder.filePath(QStringLiteral("sezioni/verde.txt"));
    writeFile(section, crlfLines(QList<QByteArray>(11) << " 1 " << "SABBIA" << "0.30" << "0" << "0" << "0" << "E.1"));
    Job job;
    job.name = QStringLiteral("Acquedotto");
    Stretch stretch;
    stretch.name = QStringLiteral("P1-P2");
    stretch.section = QDir::toNativeSeparators(section);
    job.stretches.push_back(stretch);

    JobDocument document(Job{});
    QVERIFY(!document.holds(job));
    const QString path = folder.filePath(QStringLiteral("lavoro.profilara"));
    const std::variant<Job, QString> saved = document.saveAs(path, job, QDir::homePath());
    QVERIFY(std::holds_alternative<Job>(saved));
    QCOMPARE(std::get<Job>(saved).stretches.front().section, QStringLiteral("sezioni/verde.txt"));
    QVERIFY(document.holds(std::get<Job>(saved)));
    QCOMPARE(document.fileName(), QStringLiteral("lavoro.profilara"));

    JobDocument opened;
    const std::variant<Job, QString> read = opened.open(path);
    QVERIFY(std::holds_alternative<Job>(read));
    QCOMPARE(std::get<Job>(read), std::get<Job>(saved));
    SectionFiles files;
    const auto found = files.find(std::get<Job>(read).stretches.front().section, opened.folder(QString()));
    QVERIFY(std::holds_alternative<const TrenchSection *>(found));
    QCOMPARE(std::get<const TrenchSection *>(found)->areas().front().description, QStringLiteral("SABBIA"));
    QCOMPARE(files.find(QStringLiteral("sezioni/manca.txt"), opened.folder(QString())),
             (std::variant<const TrenchSection *, QString>(QStringLiteral("il file non esiste."))));
}

QTEST_GUILESS_MAIN(TestJobFile)
#include "tst_jobfile.moc"
