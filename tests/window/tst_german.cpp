// Every window in German, as a German desktop starts the program: each text
// the user reads (labels, buttons, group and tab titles, menus, column
// headings, list entries, tips, window titles, messages) is German, or a word
// that stays as it is in German (units, names, numbers), each translated
// label and button fits its control, and no access key is used twice. Run
// with LANGUAGE=de and LC_ALL=de_DE.UTF-8; cases are in
// tests/golden/window/german.txt.
#include "frmSplash.h"
#include "harness/WindowHarness.h"
#include "platform/Translations.h"

#include <QtWidgets>

using namespace tarvex;
using namespace tarvex::testing;

namespace {

// The catalogue as translators left it: the English texts that have German,
// the German texts (each form of a plural), and these as patterns whose
// captures are the arguments filled in.
struct Catalogue {
    QSet<QString> english, german, words;   // words: those of the German texts
    QList<QRegularExpression> patterns;

    Catalogue()
    {
        QFile f(qEnvironmentVariable("TARVEX_SOURCE_DIR") + "/translations/tarvex_de.ts");
        if (!f.open(QIODevice::ReadOnly))
            qFatal("no German catalogue");
        const auto plain = [](QString s) {
            for (const auto& [entity, c] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}})
                s.replace(entity, c);
            return s;
        };
        static const QRegularExpression message("<source>(.*?)</source>\\s*<translation[^>]*>(.*?)</translation>", QRegularExpression::DotMatchesEverythingOption);
        for (auto it = message.globalMatch(QString::fromUtf8(f.readAll())); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            const QString source = plain(m.captured(1));
            for (const QString& text : plain(m.captured(2)).split(QRegularExpression("\\s*</?numerusform>\\s*"), Qt::SkipEmptyParts)) {
                english << source.trimmed();
                german << text.trimmed();
                for (auto w = QRegularExpression("\\w{3,}").globalMatch(text); w.hasNext();)
                    words << w.next().captured();
                const QString re = QRegularExpression::escape(text).replace(QRegularExpression("\\\\?%L?(\\d|n)"), "(.*)");
                patterns << QRegularExpression('^' + re + '$', QRegularExpression::DotMatchesEverythingOption);
            }
        }
    }
    // German, or German with arguments filled in that pass `fine` (an
    // English sentence is no argument).
    bool isGerman(const QString& text, const std::function<bool(const QString&)>& fine) const
    {
        return german.contains(text) || std::any_of(patterns.begin(), patterns.end(), [&](const QRegularExpression& re) {
                   const QRegularExpressionMatch m = re.match(text);
                   for (int i = 1; m.hasMatch() && i <= m.lastCapturedIndex(); ++i)
                       if (!fine(m.captured(i)))
                           return false;
                   return m.hasMatch();
               });
    }
};

// Words that stay in German: units, names, abbreviations. Words of one or two
// letters pass too (units, axis names, "OK").
const QSet<QString> kSameInGerman = {"Tarvex", "Vantorel", "RS", "COM", "PDF", "EI", "NBP", "cpm", "lbf", "Version", "Start", "Auto", "Flex", "fill", "tvl", "tvp"};

// What is wrong with one text: "untranslated" (the catalogue has it in
// German), "English" (there is no German for it), or nothing.
QString judge(QString text)
{
    static const Catalogue catalogue;
    text = text.trimmed();
    static const QRegularExpression name(QStringLiteral("^\\S*[/.]\\S*$"));   // a path, file or address
    // An argument may be put together of German pieces, as a list is.
    const auto german = [](const QString& arg) {
        for (auto w = QRegularExpression("\\w{3,}").globalMatch(arg); w.hasNext();)
            if (!catalogue.words.contains(w.next().captured()))
                return judge(arg).isEmpty();
        return true;
    };
    if (text.isEmpty() || name.match(text).hasMatch() || catalogue.isGerman(text, german))
        return {};
    if (text.contains('\n')) {   // lines put together, as a summary is
        QStringList lines;
        for (const QString& line : text.split('\n'))
            lines << judge(line);
        lines.removeAll(QString());
        return lines.value(0);
    }
    if (catalogue.english.contains(text))
        return "untranslated: " + golden::show(text);
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{3,}"));
    for (auto it = word.globalMatch(QString(text).remove('&')); it.hasNext();)
        if (!kSameInGerman.contains(it.next().captured()))
            return "English: " + golden::show(text);
    return {};
}

// The problems of one window as it shows now. Menus are read unopened.
QStringList problems(QWidget* form)
{
    QStringList out;
    const auto check = [&out](const QString& text) {
        if (const QString p = judge(text); !p.isEmpty())
            out << p;
    };
    QList<QWidget*> widgets = form->findChildren<QWidget*>();
    widgets.prepend(form);
    for (QWidget* w : widgets) {
        auto* menu = qobject_cast<QMenu*>(w);
        if (!w->isVisible() && !menu)
            continue;
        check(w == form ? w->windowTitle() : menu ? menu->title() : QString());
        check(w->toolTip());
        for (QAction* a : w->actions())
            if (a->isVisible()) {
                check(a->text());
                if (a->toolTip() != QString(a->text()).remove('&').remove(QLatin1String("...")))
                    check(a->toolTip());
            }
        // A push button's size hint adds the style's least width, which a
        // button laid out in twips may lack even in English: its text must fit.
        auto* label = qobject_cast<QLabel*>(w);
        auto* button = qobject_cast<QAbstractButton*>(w);
        auto* spin = qobject_cast<QAbstractSpinBox*>(w);
        auto* shown = qobject_cast<QLineEdit*>(w);   // a box the program writes into, as the live load
        if (shown && !shown->isReadOnly())
            shown = nullptr;
        const QString text = label ? label->text() : button ? button->text() : spin ? spin->text() : shown ? shown->text() : QString();
        check(spin && text != spin->specialValueText() ? QString() : text);   // a number and its unit pass
        // A spin box's text has the room of its line edit, whatever its size hint says.
        const int needs = qobject_cast<QPushButton*>(w) || spin || shown ? w->fontMetrics().horizontalAdvance(QString(text).remove('&')) + (spin ? 4 : 8)
                                                                         : w->sizeHint().width();
        const int room = spin ? spin->findChild<QLineEdit*>()->width() : w->width();
        if (!text.isEmpty() && !(label && label->wordWrap()) && needs > room)
            out << QStringLiteral("does not fit (%1 of %2 px): %3").arg(needs).arg(room).arg(golden::show(text));
        if (auto* g = qobject_cast<QGroupBox*>(w))
            check(g->title());
        if (auto* e = qobject_cast<QLineEdit*>(w))
            check(e->placeholderText());
        if (auto* c = qobject_cast<QComboBox*>(w); c && !c->isEditable())
            for (int i = 0; i < c->count(); ++i)
                check(c->itemText(i));
        // The data grids' headings are the table's own first row, kept in its file as typed.
        if (auto* h = qobject_cast<QHeaderView*>(w); h && h->model() && !qobject_cast<GridView*>(h->parentWidget()))
            for (int i = 0; i < h->count(); ++i)
                check(h->isSectionHidden(i) ? QString() : h->model()->headerData(i, h->orientation()).toString());
        if (auto* bar = qobject_cast<QTabBar*>(w))
            for (int i = 0; i < bar->count(); ++i) {
                check(bar->tabText(i));
                if (bar->fontMetrics().horizontalAdvance(bar->tabText(i)) > bar->tabRect(i).width())
                    out << "does not fit: tab " + golden::show(bar->tabText(i));
            }
    }
    return out;
}

// german | the window as the access-key walk names it => every text that is
// not German or does not fit, every access key used twice, and what the
// window said, or none; each page of a tab control is looked at as it shows.
// TARVEX_GERMAN_SHOTS=folder keeps a picture of each window there.
QString german(const QStringList& in)
{
    QTemporaryDir dir;
    qputenv("TARVEX_LIBRARY", dir.filePath("library.sqlite").toLocal8Bit());
    WindowHarness h;
    frmSplash about;
    h.window->showAboutBox = [&about](frmMain* owner) { about.showAboutBox(owner); };
    QStringList out;
    const QString shots = qEnvironmentVariable("TARVEX_GERMAN_SHOTS");
    const QString failed = walkWindow(h, in.mid(1), [&](QWidget* form) {
        out << problems(form) << clashes(form);
        for (QTabWidget* tabs : form->findChildren<QTabWidget*>())
            for (int i = tabs->count() - 1; i >= 0; --i) {
                tabs->setCurrentIndex(i);
                QCoreApplication::processEvents();
                out << problems(form);
                if (!shots.isEmpty())
                    form->grab().save(QDir(shots).filePath(QStringLiteral("%1-%2.png").arg(form->objectName()).arg(i)));
            }
        if (!shots.isEmpty())
            form->grab().save(QDir(shots).filePath(form->objectName() + ".png"));
    });
    for (const QString& said : h.fakes.messageBox->texts())
        if (const QString p = judge(said); !p.isEmpty())
            out << "said " + p;
    qunsetenv("TARVEX_LIBRARY");
    out.removeDuplicates();
    return !failed.isEmpty() ? failed : out.isEmpty() ? "none" : out.join(" | ");
}

} // namespace

class TestGerman : public QObject {
    Q_OBJECT
private slots:
    void cases()
    {
        QCOMPARE(InstallTranslations(*QCoreApplication::instance(), QLocale::system().uiLanguages()), QStringLiteral("de"));
        // language | the desktop's languages => the one chosen, empty for English
        GOLDEN_VERIFY(golden::cases("window/german.txt", [](const QStringList& in) {
            return in[0] == "language" ? ChosenLanguage(in[1].split(','), CarriedLanguages()) : german(in);
        }));
    }
};

QTEST_MAIN(TestGerman)
#include "tst_german.moc"
