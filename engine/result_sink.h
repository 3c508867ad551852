#pragma once

#include <QString>

// What the evaluator may do to the window that shows its result.
class ResultSink {
public:
    virtual void set_result_text(const QString& text) = 0;
    virtual void start_fade() = 0;

protected:
    ~ResultSink() = default;
};
