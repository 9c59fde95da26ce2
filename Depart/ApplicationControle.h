#pragma once
#include <QApplication>
#include <QTranslator>
#include <exception>

// The application object: its title from the program file's name, its icon, its look, French
// standard dialogs, and the error box for every exception that escapes an event handler.
class TApplicationControle : public QApplication {
    Q_OBJECT

public:
    TApplicationControle(int& argc, char** argv);

    bool notify(QObject* destinataire, QEvent* evenement) override;
    // The error box: error icon, OK, the application title as caption, the message with its
    // period. The program goes on afterwards.
    void MontreErreur(const std::exception& erreur);

protected:
    bool event(QEvent* evenement) override;

private:
    QTranslator traductions_;
};
