#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace qor {

// The workstation clock. The program reads date and time only through this,
// so tests fix both.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
    virtual QTime timeOfDay() const = 0;
    QDateTime now() const { return QDateTime(today(), timeOfDay()); }
};

class SystemClock final : public Clock {
public:
    QDate today() const override;
    QTime timeOfDay() const override;
};

class FixedClock final : public Clock {
public:
    explicit FixedClock(QDateTime at) : at_(std::move(at)) {}
    QDate today() const override { return at_.date(); }
    QTime timeOfDay() const override { return at_.time(); }
    void set(QDateTime at) { at_ = std::move(at); }

private:
    QDateTime at_;
};

} // namespace qor
