#include "DocumentEnFond.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QThread>
#include <utility>

TDocumentEnFond::TDocumentEnFond() : fil_(&TDocumentEnFond::Boucle, this) {}

TDocumentEnFond::~TDocumentEnFond() {
    if (fil_.joinable())
        Termine(QThread::currentThread());
}

void TDocumentEnFond::Ajoute(QString lignes) {
    {
        const std::lock_guard<std::mutex> garde(verrou_);
        enAttente_.push_back(std::move(lignes));
    }
    reveil_.notify_one();
}

std::unique_ptr<QTextDocument> TDocumentEnFond::Termine(QThread* fil) {
    {
        const std::lock_guard<std::mutex> garde(verrou_);
        fin_ = true;
        destination_ = fil;
    }
    reveil_.notify_one();
    fil_.join();
    return std::move(document_);
}

// The document is created here, so that it belongs to this thread while it is built; no
// other thread touches it until it has been moved and the thread has ended.
void TDocumentEnFond::Boucle() {
    auto document = std::make_unique<QTextDocument>();
    document->setUndoRedoEnabled(false);
    QTextCursor curseur(document.get());
    bool premier = true;
    std::unique_lock<std::mutex> garde(verrou_);
    for (;;) {
        reveil_.wait(garde, [this] { return fin_ || !enAttente_.empty(); });
        if (enAttente_.empty())
            break;
        const QString lignes = std::move(enAttente_.front());
        enAttente_.pop_front();
        garde.unlock();
        if (!std::exchange(premier, false))
            curseur.insertBlock();
        curseur.insertText(lignes);
        garde.lock();
    }
    document->moveToThread(destination_);
    document_ = std::move(document);
}
