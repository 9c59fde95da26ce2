#pragma once
// The text of the results list, laid into a document by a second thread while the check
// runs: a hundred thousand lines cost Qt about as much as the check of a million records.
#include <QString>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

class QTextDocument;
class QThread;

class TDocumentEnFond {
public:
    // The thread starts at once and builds a document with no layout, undo off.
    TDocumentEnFond();
    // Waits for the thread; the document, not taken, is dropped.
    ~TDocumentEnFond();
    TDocumentEnFond(const TDocumentEnFond&) = delete;
    TDocumentEnFond& operator=(const TDocumentEnFond&) = delete;

    // Adds lines, separated by line breaks and with none at the end, as the next paragraphs.
    void Ajoute(QString lignes);
    // Waits until every line is in, then gives the document, moved to `fil`'s thread and
    // owned by the caller.
    std::unique_ptr<QTextDocument> Termine(QThread* fil);

private:
    void Boucle();

    std::mutex verrou_;
    std::condition_variable reveil_;
    std::deque<QString> enAttente_;
    bool fin_ = false;
    QThread* destination_ = nullptr;
    std::unique_ptr<QTextDocument> document_; // built, then handed over, by the thread
    std::thread fil_;
};
