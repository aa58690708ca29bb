#pragma once

#include "linie/linienprotokoll.h"

#include <QAbstractTableModel>

#include <chrono>

// "Wer las was": the line's record as a table for the teacher and for screen readers. A row
// per character of the message, a column per station ("Station 1", ...), each cell the
// character that station set ("?" for none), the cell where a character first went wrong
// marked. Cells fill in as the line runs, each once its station stands, and stay after the end.
class WerLasWasModell : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // A new run: the table shows its rows and stations, every cell still empty.
    void setProtokoll(Linienprotokoll protokoll);
    const Linienprotokoll& protokoll() const { return protokoll_; }

    // The run has reached `zeit`: the cells whose stations stand by then fill in, and only they
    // are announced as changed. A time before the one reached changes nothing.
    void setZeit(std::chrono::milliseconds zeit);
    std::chrono::milliseconds zeit() const { return zeit_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    bool zuerstFalsch(int zeichen, int station) const;

    Linienprotokoll protokoll_;
    std::chrono::milliseconds zeit_{-1}; // before the first movement ends, nothing is known
};
