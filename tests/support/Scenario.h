#pragma once

#include "support/GoldenFile.h"
#include "support/TestData.h"

#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

// Sequences of actions kept as data. Each case of a JSON file under
// tests/data has a "name", what its setup needs and its "steps", each a
// command and its arguments (["move", 2, 3]). A World made from the case
// runs a step (Run returns what the step answered, null for nothing) and
// describes the state the steps concern (Snapshot). Every case's transcript,
// a step and the state it left at a time, is compared with the expected
// file beside the cases (<stem>.expected.json).
namespace Scenario {

// What differs in `state` from `seen`, which becomes `state`: a snapshot of
// the changes a step made (the first shows the whole state).
inline QJsonObject Changes(QJsonObject& seen, const QJsonObject& state) {
    QJsonObject changes;
    for (auto value = state.begin(); value != state.end(); ++value) {
        if (seen.value(value.key()) != value.value())
            changes.insert(value.key(), value.value());
    }
    seen = state;
    return changes;
}

template <class World>
void Walk(const QString& casesFile, const QString& test) {
    QJsonObject transcripts;
    for (const QJsonValue& value : TestData::Cases(casesFile)) {
        const QJsonObject c = value.toObject();
        World world(c);
        QJsonArray transcript;
        for (const QJsonValue& step : c["steps"].toArray()) {
            QJsonValue answer;
            try {
                answer = world.Run(step.toArray());
            } catch (const std::runtime_error&) {
                answer = QStringLiteral("throws");
            }
            QJsonObject line = world.Snapshot();
            line.insert("step", step);
            if (!answer.isNull())
                line.insert("answer", answer);
            transcript.append(line);
        }
        transcripts.insert(c["name"].toString(), transcript);
    }
    GoldenFile::Check(TestData::Path(GoldenFile::Stem(casesFile) + ".expected.json"), transcripts,
                      casesFile, test);
}

// Cases whose steps carry their own expectations: before each case of
// `casesFile` `start` runs, then `take` on each step, after which the fields
// the step's "expect" names must hold in `snapshot`'s answer.
template <class Start, class Take, class Snapshot>
void WalkExpecting(const QString& casesFile, Start start, Take take, Snapshot snapshot) {
    for (const QJsonValue& c : TestData::Cases(casesFile)) {
        SCOPED_TRACE(c["name"].toString().toStdString());
        start();
        int number = 0;
        for (const QJsonValue& step : c["steps"].toArray()) {
            SCOPED_TRACE("step " + std::to_string(++number));
            take(step.toObject());
            GoldenFile::CheckFields(step["expect"].toObject(), snapshot());
        }
    }
}

} // namespace Scenario
