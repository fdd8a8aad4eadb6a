#pragma once

#include <QByteArray>
#include <QDate>

// Generates sample data files: weekly draws on Fridays from 2013/04/05 (the
// Fridays from 31 Dec to 3 Jan skipped), newest first, CR LF line ends.
// The same seed always gives the same bytes.
struct SampleFiles {
    QByteArray drawResults; // the Loto7Number.csv format
    QByteArray prizeData;   // the Loto7Data.csv format
};

SampleFiles makeSampleFiles(int drawCount, quint32 seed = 20130405);
