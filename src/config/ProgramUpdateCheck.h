#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <chrono>
#include <optional>

class HttpRequest;

// Whether the maintainers have published a newer version of the program:
// their products file is fetched without blocking, within a time limit,
// and the version of the program's entry in it is compared with the
// running one. A check that cannot tell says so; it is never taken for
// "up to date".
class ProgramUpdateCheck : public QObject {
    Q_OBJECT

public:
    // The program's product identifier in the products file.
    static constexpr const char* ProductID = "qtk";
    static constexpr std::chrono::seconds DefaultLimit{15};

    enum class Outcome {
        NewerVersion,
        UpToDate,
        // The file did not come, is no XML or does not list the program.
        Failed,
        // The build names no products file.
        NotConfigured,
    };

    struct Answer {
        Outcome Result = Outcome::Failed;
        // The published version, as the file writes it.
        QString Version;
    };

    // What a fetched products file (nullopt: nothing came) says about the
    // `running` version.
    static Answer CheckProgramVersion(const std::optional<QByteArray>& document,
                                      const QString& running);
    // "Version <published> is now available." for a newer version; empty
    // for every other answer.
    static QString NewVersionText(const Answer& answer);
    // The answer for a user who asked.
    static QString Message(const Answer& answer);

    // An empty `productsURL` switches the check off.
    ProgramUpdateCheck(QString productsURL, QString running,
                       std::chrono::milliseconds limit = DefaultLimit, QObject* parent = nullptr);
    ~ProgramUpdateCheck() override;

    // Starts a check; one under way goes on instead. Finished may come
    // before Start returns (at once when there is no products file).
    void Start();
    // Ends a check under way without Finished.
    void Cancel();
    bool Running() const { return m_request != nullptr; }

signals:
    void Finished(const ProgramUpdateCheck::Answer& answer);

private:
    void Fetched();

    QString m_productsURL;
    QString m_running;
    std::chrono::milliseconds m_limit;
    HttpRequest* m_request = nullptr;
};
