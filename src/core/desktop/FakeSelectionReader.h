#pragma once

#include "SelectionReader.h"

// Hands out a preset selection and counts the reads.
class FakeSelectionReader : public SelectionReader {
public:
    explicit FakeSelectionReader(const QString &selection = {})
        : m_selection(selection)
    {}

    QString readSelection() override
    {
        ++m_reads;
        return m_selection;
    }

    void setSelection(const QString &selection) { m_selection = selection; }
    int reads() const { return m_reads; }

private:
    QString m_selection;
    int m_reads = 0;
};
