#pragma once

#include <QByteArray>
#include <QObject>

#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/VolumeSource.h"

namespace nameshift::ui {

// Asks the mounted volumes whether they answer without ever making the window wait: each volume
// is asked once, on a thread of its own, and the answer comes back to the window's thread. A
// network share whose server is gone or a FUSE daemon that is busy may never answer; such a
// volume counts as not responding once the time limit has passed, and as whatever it answers if
// it answers later. Its thread is left to the system, which ends it with the program.
class VolumeChecker : public QObject {
    Q_OBJECT

public:
    enum class State { Pending, Ready, NotResponding, NotBrowsable };

    VolumeChecker(platform::VolumeSource& volumes, std::chrono::milliseconds timeLimit,
                  QObject* parent = nullptr);
    ~VolumeChecker() override;

    // Starts asking each volume not asked before and returns at once.
    void check(const std::vector<std::string>& volumes);
    // Forgets what the volumes not among `volumes` answered: one that is mounted again may be
    // another volume, and is asked again.
    void keepOnly(const std::vector<std::string>& volumes);
    // Pending for a volume not asked yet.
    State state(const std::string& volume) const;

signals:
    // The state of the volume at this mount path changed.
    void stateChanged(const QByteArray& volume);

private:
    struct Mailbox;

    void answered(const std::string& volume, platform::VolumeAnswer answer);
    void timeUp(const std::string& volume);
    void setState(const std::string& volume, State state);

    platform::VolumeSource& volumes_;
    std::chrono::milliseconds timeLimit_;
    std::map<std::string, State> states_;
    // Shared with the threads still asking, which may outlive the checker.
    std::shared_ptr<Mailbox> mailbox_;
};

}  // namespace nameshift::ui
