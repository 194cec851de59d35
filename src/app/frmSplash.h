#pragma once
// The splash screen: the first window of the program, which opens the main
// window when it closes, and later the main window's About box. One object
// serves both roles for the whole run; it closes itself after about ten
// seconds, or at once on a key or a click on its frame or logo.

#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <functional>

class QFrame;
class QLabel;
class QTimer;

namespace tarvex {

class frmMain;

class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);
    ~frmSplash() override;

    // Builds the main window when the start-up splash closes. The splash keeps
    // a guarded pointer to what it returns; the caller owns the window.
    std::function<frmMain*()> createMainWindow;
    // Out of line: reading the guarded pointer needs the whole frmMain.
    frmMain* mainWindow() const;

    // The About box: shows the splash modally over the owner and returns when
    // it has closed. The owner is left as it was.
    void showAboutBox(QWidget* owner);

    // Ticks of Timer1 since this showing began; back to 0 whenever it closes.
    int SplashTicks = 0;

    QFrame* Frame1 = nullptr;
    QLabel* Picture1 = nullptr;                 // the maker's logo
    QLabel* lblProductName = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* Label2 = nullptr;                   // product number
    QLabel* Label1 = nullptr;                   // web address
    QLabel* lblWarning = nullptr;               // legal notice
    QTimer* Timer1 = nullptr;

    static constexpr int kTicksShown = 100;     // the 101st tick closes it
    static constexpr int kTickMs = 100;

    // The maker's logo, drawn for this program (200 x 66 pixels).
    static QPixmap VantorelLogo();

signals:
    // Emitted after every close, whichever role the splash had.
    void closed();

public slots:
    void Timer1_Timer();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void openMainWindowAtStartUp();

    QPointer<frmMain> mainWindow_;
};

} // namespace tarvex
