#pragma once

#include "PocketSphinxRecognizer.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <vector>

// The confidence limits a speech benchmark reports with: --threshold T (the recognizer's own
// limit without it) and --curve T,T,.. (the figures again with each of these). One decoding
// at the lowest of them serves them all.
struct ConfidenceLimits {
    double threshold = PocketSphinxRecognizer::defaultThreshold;
    std::vector<double> curve;

    template <typename Option>
    static ConfidenceLimits fromOptions(Option option)
    {
        ConfidenceLimits limits;
        if (!option("--threshold").isEmpty())
            limits.threshold = option("--threshold").toDouble();
        for (const QString &value : option("--curve").split(',', Qt::SkipEmptyParts))
            limits.curve.push_back(value.toDouble());
        return limits;
    }

    double lowest() const
    {
        return curve.empty() ? threshold
                             : std::min(threshold, *std::min_element(curve.begin(), curve.end()));
    }
};
