#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>

// Sets an environment variable for the life of the object (std::nullopt:
// removes it) and puts back what was there before.
class EnvironmentVariable {
public:
    EnvironmentVariable(const char* name, const std::optional<QByteArray>& value)
        : m_name(name) {
        if (qEnvironmentVariableIsSet(name))
            m_previous = qgetenv(name);
        Set(value);
    }
    ~EnvironmentVariable() { Set(m_previous); }

    EnvironmentVariable(const EnvironmentVariable&) = delete;
    EnvironmentVariable& operator=(const EnvironmentVariable&) = delete;

private:
    void Set(const std::optional<QByteArray>& value) const {
        if (value)
            qputenv(m_name, *value);
        else
            qunsetenv(m_name);
    }

    const char* m_name;
    std::optional<QByteArray> m_previous;
};
