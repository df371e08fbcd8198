#pragma once

#include <QString>

// An error as it travels through the program: a number and a description.
// Only the update cycle (and start-up) turn failures into messages.
struct Failure
{
    int number = 0;
    QString description;
};

// How every message lays out a failure: "(number) description".
inline QString FailureText(const Failure& failure)
{
    return QStringLiteral("(%1) %2").arg(QString::number(failure.number), failure.description);
}

// The transfer component reports a request made while an earlier one is
// still running with this number; the update cycle ends silently on it.
inline constexpr int BusyErrorNumber = 35764;
