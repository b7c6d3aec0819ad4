#pragma once
// Recording services for screen tests: every message is kept with its kind, questions and
// file choosers answer from a script, modal screens are handed to a scripted handler
// instead of running an event loop, shell opens and prints are recorded.
#include "report/Report.h"
#include "ui/Services.h"

#include <QApplication>
#include <QDialog>
#include <QList>
#include <QStringList>

#include <functional>

namespace caltest {

struct Message {
    cal::Dialogs::Kind kind;
    QString text;
};

class FakeDialogs : public cal::Dialogs {
public:
    void message(Kind kind, const QString& text) override { messages << Message{kind, text}; }
    bool question(const QString& text) override {
        questions << text;
        return answers.isEmpty() ? true : answers.takeFirst();
    }
    int choose(const QString& text, const QStringList& buttons) override {
        choices << Choice{text, buttons};
        if (whenChoosing) whenChoosing();
        return choiceAnswers.isEmpty() ? int(buttons.size()) - 1 : choiceAnswers.takeFirst();
    }
    QString chooseFile(const QString& title, const QString& filter) override {
        chooserTitles << title + u'|' + filter;
        return files.isEmpty() ? QString() : files.takeFirst();
    }
    QString chooseNewFile(const QString& title, const QString& filter, const QString& suggestedName) override {
        newFileChoosers << title + u'|' + filter + u'|' + suggestedName;
        return newFiles.isEmpty() ? QString() : newFiles.takeFirst();
    }
    QStringList texts() const {
        QStringList out;
        for (const Message& m : messages) out << m.text;
        return out;
    }

    QList<Message> messages;
    QStringList questions;
    QList<bool> answers;  // scripted answers to the next questions (Yes when none left)
    struct Choice {
        QString text;
        QStringList buttons;
    };
    QList<Choice> choices;
    QList<int> choiceAnswers;  // scripted buttons of the next choices (the last, cancel, when none left)
    std::function<void()> whenChoosing;  // run while a choice is open, before it is answered
    QStringList chooserTitles;
    QStringList files;    // scripted choices of the next file choosers
    QStringList newFileChoosers;
    QStringList newFiles;  // scripted choices of the next choosers of a new file
};

class FakeScreens : public cal::Screens {
public:
    // The handler acts on the screen (fills fields, clicks buttons) and must close it.
    using Handler = std::function<void(QDialog*)>;
    int exec(QDialog* screen) override {
        shown << screen->objectName();
        screen->setModal(true);
        screen->show();
        QApplication::setActiveWindow(screen);  // so that the focus moves as on a desktop
        if (!handlers.isEmpty()) handlers.takeFirst()(screen);
        const int result = screen->result();
        if (screen->isVisible()) screen->reject();
        return result;
    }
    QStringList shown;
    QList<Handler> handlers;  // one for each next screen; a screen without one is closed at once
};

class FakeShell : public cal::Shell {
public:
    bool open(const QString& target) override {
        opened << target;
        return result;
    }
    QStringList opened;
    bool result = true;  // what the next opens answer
};

class FakePrinting : public cal::Printing {
public:
    void print(const cal::Report& report) override { printed << report; }
    void preview(const cal::Report& report) override { previewed << report; }
    QList<cal::Report> printed;
    QList<cal::Report> previewed;
};

// Records what the alarm was asked to play and how often it was stopped.
class FakeSound : public cal::Sound {
public:
    void play(const QString& path) override { played << path; }
    void stop() override { ++stops; }
    QStringList played;
    int stops = 0;
};

// Installs fresh fakes for the life of the object and puts the real services back after.
struct FakeServices {
    FakeDialogs dialogs;
    FakeScreens screens;
    FakeShell shell;
    FakePrinting printing;
    FakeSound sound;
    cal::Services saved;
    FakeServices() : saved(cal::services()) { cal::services() = {&dialogs, &screens, &shell, &printing, &sound}; }
    ~FakeServices() { cal::services() = saved; }
    FakeServices(const FakeServices&) = delete;
    FakeServices& operator=(const FakeServices&) = delete;
};

}  // namespace caltest
