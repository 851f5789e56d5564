#include "section/encoding.h"
#include "section/sectionfile.h"
#include "section/valuerules.h"
#include "testsupport.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <numeric>
#include <thread>


namespace {

QList<QByteArray> emptyHeaders()
{
    return QList<QByteArray>(11);
}

} // namespace

class TestSectionFile : public QObject
{
    Q_OBJECT

private slots:
    void savesExactBytes_data();
    void savesExactBytes();
    void loads_data();
    void loads();
    void refusesUnusableFiles_data();
    void refusesUnusableFiles();
    void missingFileGivesOneEmptyArea();
    void savedFilesReadBackIdentically_data();
    void savedFilesReadBackIdentically();
    void refusesUnencodableCharacter();
    void failedSaveKeepsOldFile();
    void failedPartialWriteKeepsOldFile();
    void saveWaitsForAReaderToLetGo_data();
    void saveWaitsForAReaderToLetGo();
    void backupNeverOverwritesEarlierBackup();
    void everyByteRoundTrips();
    void conversionMatchesIcuWhereQtHasIt();
    void valueRule_data();
    void valueRule();
    void programFolderLiesOutsideABundle_data();
    void programFolderLiesOutsideABundle();
};

void TestSectionFile::savesExactBytes_data()
{
    QTest::addColumn<SectionTable>("table");
    QTest::addColumn<QByteArray>("bytes");

    SectionTable one;
    one.Naree = 1;
    QTest::newRow("empty headers, one area: 18 lines")
        << one << crlfLines(emptyHeaders() << " 1 " << "" << "" << "" << "" << "" << "");

    SectionTable two;
    two.Naree = 2;
    for (int c = 1; c <= 6; ++c) {
        two.Aree[1][c] = QStringLiteral("a%1").arg(c);
        two.Aree[2][c] = QStringLiteral("b%1").arg(c);
    }
    QTest::newRow("two areas: 24 lines")
        << two
        << crlfLines(emptyHeaders() << " 2 " << "a1" << "a2" << "a3" << "a4" << "a5" << "a6" << "b1"
                                    << "b2" << "b3" << "b4" << "b5" << "b6");

    SectionTable zero;
    zero.Aree[1][1] = QStringLiteral("not written");
    QTest::newRow("count zero: 12 lines") << zero << crlfLines(emptyHeaders() << " 0 ");

    SectionTable negative;
    negative.Naree = -3;
    QTest::newRow("negative count keeps its sign in place of the blank")
        << negative << crlfLines(emptyHeaders() << "-3 ");

    SectionTable accented;
    accented.Naree = 1;
    accented.Aree[1][1] = QStringLiteral("profondità €");
    QTest::newRow("accented letters as single bytes")
        << accented << crlfLines(emptyHeaders() << " 1 " << "profondit\xe0 \x80" << "" << "" << "" << ""
                                                << "");

    SectionTable headers;
    headers.Naree = 0;
    QList<QByteArray> headerBytes;
    for (int i = 1; i <= 11; ++i) {
        headers.Intestazione[i] = QStringLiteral("  intestazione %1 ").arg(i);
        headerBytes << QByteArray("  intestazione ") + QByteArray::number(i) + ' ';
    }
    QTest::newRow("header lines passed through unchanged") << headers << crlfLines(headerBytes << " 0 ");
    SectionTable commaHeader;
    commaHeader.Naree = 0;
    commaHeader.Intestazione[1] = QStringLiteral("Comune, \"lotto\" 3");
    QTest::newRow("header line with a comma and quotes goes back as it came")
        << commaHeader << crlfLines(QList<QByteArray>{"Comune, \"lotto\" 3"} + QList<QByteArray>(10) << " 0 ");
    SectionTable quotedHeader;
    quotedHeader.Naree = 0;
    quotedHeader.Intestazione[1] = QStringLiteral("\"Titolo del lavoro\"");
    quotedHeader.Intestazione[2] = QStringLiteral("  \"a\", b");
    quotedHeader.Intestazione[3] = QStringLiteral("righe\r\nunite");
    QTest::newRow("header lines beginning with a quote go back as they came; one with a line break, quoted")
        << quotedHeader
        << crlfLines(QList<QByteArray>{"\"Titolo del lavoro\"", "  \"a\", b", "\"righe\r\nunite\""}
                     + QList<QByteArray>(8) << " 0 ");

    SectionTable lastOfHundred;
    lastOfHundred.Naree = 100;
    lastOfHundred.Aree[100][6] = QStringLiteral("ultimo");
    QByteArray hundred = crlfLines(emptyHeaders() << " 100 ");
    hundred += QByteArray("\r\n").repeated(599) + "ultimo\r\n";
    QTest::newRow("one hundred areas: 612 lines") << lastOfHundred << hundred;
}

void TestSectionFile::savesExactBytes()
{
    QFETCH(SectionTable, table);
    QFETCH(QByteArray, bytes);

    QTemporaryDir dir;
    QVERIFY(!writeSectionFile(table, dir.path()).error.has_value());
    QCOMPARE(readFile(sectionFilePath(dir.path())), bytes);
}

void TestSectionFile::loads_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("naree");
    QTest::addColumn<QStringList>("area1");
    QTest::addColumn<QString>("header1");

    const QStringList empty6(6);
    QTest::newRow("count line with blanks")
        << crlfLines(emptyHeaders() << " 1 " << "SABBIA" << "0.3" << "0.2" << "0.1" << "0.5" << "A.01")
        << 1 << QStringList{"SABBIA", "0.3", "0.2", "0.1", "0.5", "A.01"} << QString();
    QTest::newRow("count line without blanks")
        << crlfLines(emptyHeaders() << "1" << "x" << "" << "" << "" << "" << "") << 1
        << QStringList{"x", "", "", "", "", ""} << QString();
    QTest::newRow("lines beyond the count are ignored")
        << crlfLines(emptyHeaders() << " 1 " << "a" << "b" << "c" << "d" << "e" << "f" << "extra"
                                    << "more")
        << 1 << QStringList{"a", "b", "c", "d", "e", "f"} << QString();
    QTest::newRow("empty first and last values of an area")
        << crlfLines(emptyHeaders() << " 1 " << "" << "b" << "c" << "d" << "e" << "") << 1
        << QStringList{"", "b", "c", "d", "e", ""} << QString();
    QTest::newRow("blanks around a whole-line value are kept")
        << crlfLines(emptyHeaders() << " 1 " << "  *1.5 " << "" << "" << "" << "" << "") << 1
        << QStringList{"  *1.5 ", "", "", "", "", ""} << QString();
    QTest::newRow("quoted comma-separated line from another program")
        << crlfLines(QList<QByteArray>{"\"Progetto, lotto 2\""} + QList<QByteArray>(10)
                     << "1" << "\"SABBIA\", \"0.3\",0.2, \"0.1\"" << "\"0,5\"  dropped" << "A.01")
        << 1 << QStringList{"SABBIA", "0.3", "0.2", "0.1", "0,5", "A.01"} << QStringLiteral("\"Progetto, lotto 2\"");
    QTest::newRow("a header line's quote, opened and not closed, runs to the next line")
        << crlfLines(QList<QByteArray>{"\"Progetto", "lotto 2\""} + QList<QByteArray>(10) << " 0 ") << 0
        << QStringList(6) << QStringLiteral("Progetto\r\nlotto 2");
    QTest::newRow("LF line ends and no final line end")
        << QByteArray("\n").repeated(11) + "2\nR\n\n\n\n\n\na\nb\nc\nd\ne\nf" << 2
        << QStringList{"R", "", "", "", "", ""} << QString();
    QTest::newRow("negative count reads no areas")
        << crlfLines(emptyHeaders() << "-7 " << "ignored") << -7 << empty6 << QString();
    QTest::newRow("accented byte decodes from Windows-1252")
        << crlfLines(QList<QByteArray>{"profondit\xe0"} + QList<QByteArray>(10) << " 0 ") << 0 << empty6
        << QStringLiteral("profondità");
}

void TestSectionFile::loads()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, naree);
    QFETCH(QStringList, area1);
    QFETCH(QString, header1);

    QTemporaryDir dir;
    writeFile(sectionFilePath(dir.path()), bytes);
    const LoadResult result = LeggeFileSezione(dir.path());
    QCOMPARE(result.outcome, LoadResult::Outcome::Loaded);
    QCOMPARE(result.table.Naree, naree);
    QCOMPARE(result.table.Intestazione[1], header1);
    for (int c = 1; c <= 6; ++c)
        QCOMPARE(result.table.Aree[1][c], area1.at(c - 1));
}

void TestSectionFile::refusesUnusableFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("header1"); // kept from the file once all eleven header lines were read

    const auto headed = [] { return QList<QByteArray>{"Computo"} + QList<QByteArray>(10); };
    const QString kept = QStringLiteral("Computo");
    QTest::newRow("count above 100") << crlfLines(headed() << " 101 ") << kept;
    QTest::newRow("count not a whole number") << crlfLines(headed() << " 2.5 ") << kept;
    QTest::newRow("count of letters") << crlfLines(headed() << "tre") << kept;
    QTest::newRow("empty count line") << crlfLines(headed() << "") << kept;
    QTest::newRow("count beyond 16 bits") << crlfLines(headed() << "-40000") << kept;
    QTest::newRow("ends within the header") << crlfLines(headed().first(5)) << QString();
    QTest::newRow("ends before the count") << crlfLines(headed()) << kept;
    QTest::newRow("ends within the areas") << crlfLines(headed() << " 2 " << "a" << "b") << kept;
    QTest::newRow("ends before the last area's first value")
        << crlfLines(headed() << " 2 " << "a" << "b" << "c" << "d" << "e" << "f") << kept;
    QTest::newRow("empty file") << QByteArray() << QString();
}

void TestSectionFile::refusesUnusableFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, header1);

    QTemporaryDir dir;
    const QString path = sectionFilePath(dir.path());
    writeFile(path, bytes);
    const LoadResult result = LeggeFileSezione(dir.path());
    QCOMPARE(result.outcome, LoadResult::Outcome::Unreadable);
    QVERIFY(!result.problem.isEmpty());
    QCOMPARE(result.headerKept, !header1.isEmpty());
    QCOMPARE(result.table.Intestazione[1], header1);
    QCOMPARE(result.table.Naree, 1);
    QCOMPARE(result.table.Aree[1][1], QString()); // one empty area, whatever the file held
    QCOMPARE(readFile(path), bytes);
}

void TestSectionFile::missingFileGivesOneEmptyArea()
{
    QTemporaryDir dir;
    LoadResult result = LeggeFileSezione(dir.path());
    QCOMPARE(result.outcome, LoadResult::Outcome::Missing);
    QCOMPARE(result.table.Naree, 1);

    // A folder in the file's place counts as no file.
    QVERIFY(QDir(dir.path()).mkdir(QLatin1String(kSectionFileName)));
    result = LeggeFileSezione(dir.path());
    QCOMPARE(result.outcome, LoadResult::Outcome::Missing);
}

void TestSectionFile::savedFilesReadBackIdentically_data()
{
    QTest::addColumn<SectionTable>("table");

    SectionTable plain;
    plain.Naree = 3;
    plain.Intestazione[4] = QStringLiteral("versione 2");
    plain.Aree[1][1] = QStringLiteral("SABBIA");
    plain.Aree[1][2] = QStringLiteral("*1.20");
    plain.Aree[2][3] = QStringLiteral("   ");
    plain.Aree[3][6] = QStringLiteral(" A.01\t");
    plain.Aree[3][1] = QStringLiteral("profondità");
    QTest::newRow("values within the limits, blanks kept") << plain;

    SectionTable quoted;
    quoted.Naree = 1;
    quoted.Intestazione[1] = QStringLiteral("Progetto, lotto 2");
    quoted.Intestazione[2] = QStringLiteral("Comune, \"lotto\" 3");
    quoted.Aree[1][1] = QStringLiteral("riga\r\nspezzata");
    quoted.Aree[1][2] = QStringLiteral("  ,");
    QTest::newRow("commas and line breaks from another program's quoted values") << quoted;
}

void TestSectionFile::savedFilesReadBackIdentically()
{
    QFETCH(SectionTable, table);

    QTemporaryDir dir;
    QVERIFY(!writeSectionFile(table, dir.path()).error.has_value());
    const QByteArray first = readFile(sectionFilePath(dir.path()));
    const LoadResult result = LeggeFileSezione(dir.path());
    QCOMPARE(result.outcome, LoadResult::Outcome::Loaded);
    QVERIFY(result.table == table);
    QVERIFY(!writeSectionFile(result.table, dir.path()).error.has_value());
    QCOMPARE(readFile(sectionFilePath(dir.path())), first);
}

void TestSectionFile::refusesUnencodableCharacter()
{
    QTemporaryDir dir;
    const QString path = sectionFilePath(dir.path());
    writeFile(path, "old");
    SectionTable table;
    table.Naree = 1;
    table.Aree[1][1] = QStringLiteral("Łódź");
    const std::optional<SaveError> error = writeSectionFile(table, dir.path()).error;
    QVERIFY(error.has_value());
    QVERIFY(error->message.contains(u'Ł'));
    QCOMPARE(readFile(path), QByteArray("old"));

    // Nor a file larger than the load would take back.
    table.Aree[1][1] = QString(17 * 1024 * 1024, u'x');
    QCOMPARE(writeSectionFile(table, dir.path()).error.value_or(SaveError()).message,
             QStringLiteral("La sezione occuperebbe più dei 16 MiB che un file di sezione può avere: i valori sono "
                            "troppo lunghi."));
    QCOMPARE(readFile(path), QByteArray("old"));
}

void TestSectionFile::failedSaveKeepsOldFile()
{
    QTemporaryDir dir;
    SectionTable table;
    table.Naree = 1;

    // The path taken by a folder.
    QVERIFY(QDir(dir.path()).mkdir(QLatin1String(kSectionFileName)));
    std::optional<SaveError> error = writeSectionFile(table, dir.path()).error;
    QVERIFY(error.has_value());
    QVERIFY(QFileInfo(sectionFilePath(dir.path())).isDir());

    // A folder that does not exist.
    error = writeSectionFile(table, dir.filePath(QStringLiteral("gone"))).error;
    QVERIFY(error.has_value());
    QVERIFY(!error->message.isEmpty());
}

void TestSectionFile::failedPartialWriteKeepsOldFile()
{
#ifdef Q_OS_UNIX
    QTemporaryDir dir;
    const QString path = sectionFilePath(dir.path());
    const QByteArray old = crlfLines(emptyHeaders() << " 0 ");
    writeFile(path, old);

    SectionTable table;
    table.Naree = 100;
    for (int a = 1; a <= 100; ++a)
        for (int c = 1; c <= 6; ++c)
            table.Aree[a][c] = QStringLiteral("valore lungo %1 %2").arg(a).arg(c);

    std::optional<SaveError> error;
    {
        const FileSizeLimit limit(1000);
        QVERIFY(limit.active());
        error = writeSectionFile(table, dir.path()).error;
    }

    QVERIFY(error.has_value());
    QCOMPARE(readFile(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QLatin1String(kSectionFileName)});

    // Once the fault is gone the next save goes through.
    QVERIFY(!writeSectionFile(table, dir.path()).error.has_value());
    QCOMPARE(LeggeFileSezione(dir.path()).table, table);
#else
    QSKIP("file-size limits are a POSIX facility");
#endif
}

// Another program reading the file (Qt's own reads share no deletion on
// Windows, as most readers) keeps Windows from replacing it; the save waits
// about a second for it. Elsewhere nothing keeps a file from being replaced.
void TestSectionFile::saveWaitsForAReaderToLetGo_data()
{
    QTest::addColumn<int>("heldMs");
    QTest::addColumn<bool>("savedOnWindows");
    QTest::newRow("let go within the second") << 300 << true;
    QTest::newRow("held throughout") << 3000 << false;
}

void TestSectionFile::saveWaitsForAReaderToLetGo()
{
    QFETCH(int, heldMs);
    QFETCH(bool, savedOnWindows);
    QTemporaryDir dir;
    const QString path = sectionFilePath(dir.path());
    const QByteArray old = crlfLines(emptyHeaders() << " 0 ");
    writeFile(path, old);
    SectionTable table;
    table.Naree = 1;

    QFile reader(path);
    QVERIFY(reader.open(QIODevice::ReadOnly));
    std::thread letGo([&reader, heldMs] {
        std::this_thread::sleep_for(std::chrono::milliseconds(heldMs));
        reader.close();
    });
    const std::optional<SaveError> error = writeSectionFile(table, dir.path()).error;
    letGo.join();

#ifdef Q_OS_WIN
    constexpr bool sharingRules = true;
#else
    constexpr bool sharingRules = false;
#endif
    const bool saved = savedOnWindows || !sharingRules;
    if (saved) {
        QVERIFY2(!error, qPrintable(error ? error->message : QString()));
        QCOMPARE(readFile(path), crlfLines(emptyHeaders() << " 1 " << QList<QByteArray>(6)));
    } else {
        QVERIFY(error.has_value());
        QCOMPARE(error->message, QStringLiteral("Non è possibile sostituire il file: è protetto o in uso."));
        QCOMPARE(readFile(path), old);
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QLatin1String(kSectionFileName)});
}

void TestSectionFile::backupNeverOverwritesEarlierBackup()
{
    QTemporaryDir dir;
    const QString path = sectionFilePath(dir.path());
    writeFile(path, "first");
    QCOMPARE(backupSectionFile(dir.path()), std::optional<QString>(path + ".bak"));
    writeFile(path, "second");
    QCOMPARE(backupSectionFile(dir.path()), std::optional<QString>(path + ".bak2"));
    QCOMPARE(readFile(path + ".bak"), QByteArray("first"));
    QCOMPARE(readFile(path + ".bak2"), QByteArray("second"));
}

void TestSectionFile::everyByteRoundTrips()
{
    QByteArray bytes(256, Qt::Uninitialized);
    std::iota(bytes.begin(), bytes.end(), char(0));
    const QString text = fromWindows1252(bytes);
    // 0x80-0x9F as code charts print them, the unassigned bytes as the
    // controls of the same code; the rest as Latin-1.
    QCOMPARE(text, QString::fromLatin1(bytes.left(0x80))
                       + QStringLiteral("€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ")
                       + QString::fromLatin1(bytes.mid(0xA0)));
    QByteArray back("kept");
    QVERIFY(appendWindows1252(back, text));
    QCOMPARE(back, "kept" + bytes);
}

void TestSectionFile::conversionMatchesIcuWhereQtHasIt()
{
    QByteArray bytes(256, Qt::Uninitialized);
    std::iota(bytes.begin(), bytes.end(), char(0));
    QStringDecoder decoder("windows-1252"); // Qt has it only when built with ICU
    if (!decoder.isValid())
        QSKIP("this Qt has no ICU, so no windows-1252 converter to compare with");
    QCOMPARE(fromWindows1252(bytes), QString(decoder(bytes)));

    // Every code up to U+FFFF is written by both with the same byte, or by
    // neither. A full stop follows it: ICU holds back a final high surrogate.
    int written = 0;
    for (char32_t code = 0; code <= 0xFFFF; ++code) {
        const QString text = QChar(char16_t(code)) + QStringLiteral(".");
        QStringEncoder icu("windows-1252");
        const QByteArray icuBytes = icu(text);
        QByteArray ours;
        const bool ok = appendWindows1252(ours, text);
        QVERIFY2(ok != icu.hasError() && (!ok || ours == icuBytes), qPrintable(QString::number(code, 16)));
        written += ok;
    }
    QCOMPARE(written, 256);
}

void TestSectionFile::valueRule_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<ValueLine::Form>("form");
    QTest::addColumn<QByteArray>("line");      // the file's line, without CR LF
    QTest::addColumn<QString>("fileProblem");  // why the file cannot hold it
    QTest::addColumn<QString>("typedProblem"); // why typing it is refused; empty: accepted

    using F = ValueLine::Form;
    const QByteArray none;
    const QString comma = QStringLiteral("Il valore non può contenere la virgola: nel file la virgola separa i "
                                         "valori. I decimali si scrivono con il punto, per esempio 0.5");
    const QString quote = QStringLiteral("Il valore non può contenere le virgolette (\"): nel file delimitano i "
                                         "valori.");
    const QString tab = QStringLiteral("Il valore non può contenere il carattere di tabulazione.");
    const QString lineBreak = QStringLiteral("Il valore non può andare a capo: nel file ogni valore occupa una riga.");
    const auto noByte = [](const QString &c) {
        return QStringLiteral("Il carattere «%1» non può essere scritto nel file, che usa la codifica "
                              "Windows-1252.").arg(c);
    };
    QTest::newRow("plain: bare") << "0.5 E.01" << F::Bare << QByteArray("0.5 E.01") << "" << "";
    QTest::newRow("decimal comma: quoted; typed, the advice")
        << "0,5" << F::Quoted << QByteArray("\"0,5\"") << "" << comma;
    QTest::newRow("line break: quoted; typed, refused")
        << "a\r\nb" << F::Quoted << QByteArray("\"a\r\nb\"") << "" << lineBreak;
    QTest::newRow("quote inside: bare; typed, refused") << "2\"" << F::Bare << QByteArray("2\"") << "" << quote;
    QTest::newRow("tab inside: bare; typed, refused") << "a\tb" << F::Bare << QByteArray("a\tb") << "" << tab;
    QTest::newRow("quote and comma: unwritable") << "a\"b,c" << F::Unwritable << none << "«a\"b,c»" << comma;
    QTest::newRow("blanks, then a quote: unwritable") << " \"x" << F::Unwritable << none << "« \"x»" << quote;
    QTest::newRow("Ł: unwritable, named") << "Łódź" << F::Unwritable << none << "«Ł»" << noByte("Ł");
    QTest::newRow("U+0080: no byte, 0x80 is €") << "\u0080" << F::Unwritable << none << "«\u0080»"
                                                 << noByte("\u0080");
    QTest::newRow("beyond U+FFFF: named whole") << "a😀" << F::Unwritable << none << "«😀»" << noByte("😀");
    const auto control = [](int code) {
        return QStringLiteral("Il valore non può contenere caratteri di controllo (qui il carattere di codice %1): il "
                              "programma che legge il file potrebbe fermarsi lì.").arg(code);
    };
    QTest::newRow("Ctrl+Z from a file: bare; typed, refused") << "AB\x1A" "C" << F::Bare << QByteArray("AB\x1A" "C")
                                                               << "" << control(26);
    QTest::newRow("DEL from a file: bare; typed, refused") << "x\x7F" << F::Bare << QByteArray("x\x7F") << ""
                                                            << control(127);
}

void TestSectionFile::valueRule()
{
    QFETCH(QString, value);
    QFETCH(ValueLine::Form, form);
    QFETCH(QByteArray, line);
    QFETCH(QString, fileProblem);
    QFETCH(QString, typedProblem);

    QByteArray out("kept\r\n");
    const ValueLine result = appendValueLine(out, value);
    QCOMPARE(result.form, form);
    QCOMPARE(out, "kept\r\n" + line);
    // A value as it stands is refused only when the file cannot hold it.
    QCOMPARE(confirmationProblem(value, false).has_value(), form == ValueLine::Form::Unwritable);
    QVERIFY2(result.problem.contains(fileProblem), qPrintable(result.problem));
    QCOMPARE(confirmationProblem(value, true).value_or(QString()), typedProblem);

    SectionTable table; // what the file holds reads back as the value
    table.Intestazione[1] = value;
    if (form != ValueLine::Form::Unwritable)
        QCOMPARE(parseSectionFile(encodeSectionFile(table).bytes).table.Intestazione[1], value);
}

void TestSectionFile::programFolderLiesOutsideABundle_data()
{
    QTest::addColumn<QString>("executableFolder");
    QTest::addColumn<QString>("programFolder");

    QTest::newRow("macOS bundle: the folder holding it")
        << "/Users/anna/Profilara/profilara.app/Contents/MacOS" << "/Users/anna/Profilara";
    QTest::newRow("plain folder") << "/home/anna/.local/bin" << "/home/anna/.local/bin";
    QTest::newRow("a folder named .app") << "/home/anna/profilara.app/bin" << "/home/anna/profilara.app/bin";
    QTest::newRow(".apps, not a bundle") << "/Users/anna/my.apps/Contents/MacOS" << "/Users/anna/my.apps/Contents/MacOS";
}

void TestSectionFile::programFolderLiesOutsideABundle()
{
    QFETCH(QString, executableFolder);
    QFETCH(QString, programFolder);
    QCOMPARE(::programFolder(executableFolder), programFolder);
}

QTEST_GUILESS_MAIN(TestSectionFile)
#include "tst_sectionfile.moc"
