#include "WindowOpener.h"

#include "HelpWindow.h"
#include "IniRecord.h"
#include "SaveChooser.h"
#include "about/TAsAbo.h"
#include "daily/TAsDet.h"
#include "personal/TAsPer.h"
#include "personal/TasTrg.h"
#include "reportcard/TAsRep.h"
#include "savewindow/TAsJpeg.h"
#include "sheetwindow/TAsSheet.h"
#include "store/Clock.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include <exception>
#include <memory>

namespace pulmora::app {
namespace {

using controls::WindowAnswer;
using Triggers = WindowAnswer<std::optional<QStringList>>;

// The window, at its final size, with its top left corner as near `corner` as the screen of
// `anchor` allows (or the screen of the window that asked, when `anchor` is off every screen).
void placeOnScreen(QWidget& window, QPoint corner, const QPoint& anchor, const QWidget& owner) {
    const QScreen* screen = QGuiApplication::screenAt(anchor);
    if (!screen) screen = owner.screen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        corner.setX(std::clamp(corner.x(), area.left(), std::max(area.left(), area.right() - window.width())));
        corner.setY(std::clamp(corner.y(), area.top(), std::max(area.top(), area.bottom() - window.height())));
    }
    window.move(corner);
}

void placeLeftOf(QWidget& window, const QPoint& topRight, const QWidget& owner) {
    window.adjustSize();
    placeOnScreen(window, QPoint(topRight.x() - window.width(), topRight.y()), topRight, owner);
}

// Modal to the window that asked and the windows below it, not to the whole program: the help
// window belongs to no card and stays usable while a card is open.
int runModal(QDialog& window) {
    window.setWindowModality(Qt::WindowModal);
    return window.exec();
}

// A window that cannot be made (created and given its data) answers "not opened"; the card that
// asked says so. Only the making is guarded: the modal run is an event loop, which no exception
// may cross, so a window reports its failures while it runs on its own message line instead.
template <class Make, class Run>
auto opening(Make make, Run run) -> decltype(run(*make())) {
    decltype(make()) window;
    try {
        window = make();
    } catch (const std::exception&) {
        return {};
    }
    return run(*window);
}

}  // namespace

WindowAnswer<std::optional<store::PersonRef>> WindowOpener::personalCard(QWidget& owner,
                                                                         const std::optional<store::PersonId>& person,
                                                                         const QString& header,
                                                                         const QPoint& topRight) {
    return opening(
        [&] {
            auto window = std::make_unique<personal::TAsPer>(diary_, *this, &owner);
            window->SetUser(person);
            window->setHeader(header);
            placeLeftOf(*window, topRight, owner);
            return window;
        },
        [](personal::TAsPer& window) {
            const bool saved = runModal(window) == QDialog::Accepted;
            return WindowAnswer<std::optional<store::PersonRef>>{true, saved ? window.saved() : std::nullopt};
        });
}

Triggers WindowOpener::triggerList(QWidget& owner, personal::TasTrg::Mode mode, const QPoint& topRight) {
    return opening(
        [&] {
            auto window = std::make_unique<personal::TasTrg>(diary_, &owner);
            window->SetList(mode);
            help_.offerContentsOnF1(*window);
            placeLeftOf(*window, topRight, owner);
            return window;
        },
        [](personal::TasTrg& window) {
            runModal(window);
            return Triggers{true, window.Confirmed() ? std::optional(window.highlighted()) : std::nullopt};
        });
}

Triggers WindowOpener::pickTriggersForDay(QWidget& owner, const QPoint& topRight) {
    return triggerList(owner, personal::TasTrg::Mode::Pick, topRight);
}

Triggers WindowOpener::pickTriggersForPerson(QWidget& owner, const QPoint& topRight) {
    return triggerList(owner, personal::TasTrg::Mode::Pick, topRight);
}

bool WindowOpener::maintainTriggers(QWidget& owner, const QPoint& topRight) {
    return triggerList(owner, personal::TasTrg::Mode::Maintain, topRight).opened;
}

WindowAnswer<bool> WindowOpener::confirmDeletion(QWidget& owner, const daily::Deletion& deletion,
                                                 const QPoint& topRight) {
    return opening(
        [&] {
            auto window = std::make_unique<daily::TAsDet>(&owner);
            if (deletion.of == daily::Deletion::Of::Person)
                window->MesDelPer(deletion.name);
            else
                window->MesDelDly(deletion.date, deletion.name);
            help_.offerContentsOnF1(*window);
            placeLeftOf(*window, topRight, owner);
            return window;
        },
        [](daily::TAsDet& window) {
            runModal(window);
            return WindowAnswer<bool>{true, window.DeleteConfirmed()};
        });
}

WindowAnswer<bool> WindowOpener::leaveWithoutSaving(QWidget& owner, const QString& loss) {
    return opening(
        [&] {
            auto window = std::make_unique<QMessageBox>(
                QMessageBox::Warning, QStringLiteral("Pulmora"),
                loss + QStringLiteral(" Leave and lose them, or stay on the card?"), QMessageBox::NoButton, &owner);
            window->addButton(QStringLiteral("Leave"), QMessageBox::DestructiveRole);
            QPushButton* stay = window->addButton(QStringLiteral("Stay"), QMessageBox::RejectRole);
            window->setDefaultButton(stay);
            window->setEscapeButton(stay);
            return window;
        },
        [](QMessageBox& window) {
            runModal(window);
            return WindowAnswer<bool>{true, window.buttonRole(window.clickedButton()) == QMessageBox::DestructiveRole};
        });
}

WindowAnswer<int> WindowOpener::ask(QWidget& owner, const controls::Question& question) {
    QList<QPushButton*> buttons;
    return opening(
        [&] {
            auto window = std::make_unique<QMessageBox>(QMessageBox::Question, QStringLiteral("Pulmora"), question.text,
                                                        QMessageBox::NoButton, &owner);
            for (const QString& answer : question.answers)
                buttons << window->addButton(answer, QMessageBox::ActionRole);
            window->setDefaultButton(buttons.value(question.defaultAnswer));
            window->setEscapeButton(buttons.value(question.escapeAnswer));
            return window;
        },
        [&](QMessageBox& window) {
            runModal(window);
            const auto taken = buttons.indexOf(window.clickedButton());
            return WindowAnswer<int>{true, taken < 0 ? question.escapeAnswer : int(taken)};
        });
}

WindowAnswer<std::optional<store::PersonRef>> WindowOpener::reportCard(QWidget& owner, const store::PersonRef& person) {
    std::optional<store::PersonRef> shownLast;
    return opening(
        [&] {
            auto window = std::make_unique<reports::TAsRep>(diary_, &owner);
            reports::TAsRep* card = window.get();
            QObject::connect(card, &reports::TAsRep::personChosen,
                             [&shownLast](const store::PersonRef& next) { shownLast = next; });
            QObject::connect(card, &reports::TAsRep::savePictureRequested,
                             [this, card](const QPoint& position) { savePicture(*card, position); });
            QObject::connect(card, &reports::TAsRep::visitPackRequested, [card](const QString& fileName) {
                const QString path =
                    chooseFileToSave(*card, {"Save Visit Pack as PDF", fileName, "PDF files (*.pdf)", "pdf"});
                if (!path.isEmpty()) card->saveVisitPack(path);
            });
            QObject::connect(card, &reports::TAsRep::helpRequested,
                             [this](const QString& keyword) { showHelp(keyword); });
            QObject::connect(card, &reports::TAsRep::closed, [this](const reports::ReportPlacement& placement) {
                settings_.setReportMaximised(placement.maximised);
                settings_.setReportGeometry(placement.geometry);
            });
            card->Open(person, store::clock::today(), {settings_.reportMaximised(), settings_.reportGeometry()});
            return window;
        },
        [&shownLast](reports::TAsRep& window) {
            runModal(window);
            return WindowAnswer<std::optional<store::PersonRef>>{true, shownLast};
        });
}

void WindowOpener::savePicture(reports::TAsRep& card, const QPoint& topLeft) {
    const bool opened = opening(
        [&] {
            auto window = std::make_unique<reports::TAsJpeg>(&card);
            window->Open([&card] { return card.savedPicture(); });
            help_.offerContentsOnF1(*window);
            placeOnScreen(*window, topLeft, topLeft, card);
            return window;
        },
        [&card](reports::TAsJpeg& window) {
            if (runModal(window) == QDialog::Accepted) card.pictureSaved(window.savedAs());
            return true;
        });
    if (!opened) card.saveWindowNotOpened();
}

bool WindowOpener::recordSheet(QWidget& owner, const std::optional<store::PersonId>& person, const QPoint& topRight) {
    return opening(
        [&] {
            auto window = std::make_unique<sheet::TAsSheet>(diary_, &owner);
            window->Open(person);
            help_.offerContentsOnF1(*window);
            placeLeftOf(*window, topRight, owner);
            return window;
        },
        [](sheet::TAsSheet& window) {
            runModal(window);
            return true;
        });
}

bool WindowOpener::about(QWidget& owner, const QPoint& topLeft) {
    return opening(
        [&] {
            auto window = std::make_unique<about::TAsAbo>(&owner);
            window->DisplayAbout(diary_.files.folder());
            help_.offerContentsOnF1(*window);
            placeOnScreen(*window, topLeft, topLeft, owner);
            return window;
        },
        [](about::TAsAbo& window) {
            runModal(window);
            return true;
        });
}

void WindowOpener::showHelp(const QString& keyword) { help_.showTopic(keyword); }

}  // namespace pulmora::app
