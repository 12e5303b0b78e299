// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Battle rooms: two players who both dial out meet under a room name and, once
// the upgrade to "tokira-battle" is answered, the relay carries their bytes
// unchanged both ways. One thread waits on every room's sockets at once; a
// waiting host is a suspended request, not a thread.

#include "Options.h"

#include <microhttpd.h>

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

namespace ranking {

class RoomRelay {
public:
    // upgrading is told of each connection about to be handed over with its 101.
    RoomRelay(const Options &limits, std::function<void(MHD_Connection *)> upgrading);
    ~RoomRelay();
    RoomRelay(const RoomRelay &) = delete;
    RoomRelay &operator=(const RoomRelay &) = delete;

    // Whether the path belongs to the rooms: /battle/... and /api/rooms.
    static bool Handles(const std::string &path);
    // Answers one request of those paths; called again for a host when it is resumed.
    MHD_Result Answer(MHD_Connection *connection, const std::string &path, const std::string &query,
                      const std::string &address);
    // The engine let the connection go: its room forgets it.
    void ConnectionClosed(MHD_Connection *connection);
    // Sends every waiting host away and closes every room, before the engine stops.
    void Stop();

    // The room names taken: 1 to 32 of A-Z a-z 0-9 _ -.
    static bool IsRoomName(const std::string &name);

private:
    struct Side {
        MHD_Connection *connection = nullptr;
        MHD_UpgradeResponseHandle *urh = nullptr;
        int fd = -1;
        bool upgraded = false;
        bool closed = false;     // shut and handed back to the engine
        bool eof = false;        // it sent its last byte
        std::string pending;     // from the other side, not yet taken by this one
        unsigned watched = 0;    // the events asked of the poller now
    };
    enum class State { Waiting, Paired, Playing, Expired, Cancelled, Over };
    struct Room {
        std::uint64_t id = 0;
        std::string name;
        std::string address;
        std::string client;          // what the per-address limit counts
        State state = State::Waiting;
        bool hostSuspended = false;
        bool hostResumeDue = false;
        std::int64_t deadline = 0;   // ms: the host's wait, then the pairing's
        std::int64_t windowStart = 0;
        std::int64_t windowBytes = 0;
        bool throttled = false;
        Side side[2];                // host, guest
    };

    MHD_Result Refuse(MHD_Connection *connection, int status, const std::string &text, const std::string &address,
                      const std::string &what);
    MHD_Result QueueUpgrade(MHD_Connection *connection, Room &room, int which);
    static void Upgraded(void *cls, MHD_Connection *connection, void *, const char *extraIn, std::size_t extraSize,
                         MHD_socket sock, MHD_UpgradeResponseHandle *urh);
    void OnUpgraded(std::uint64_t key, const char *extraIn, std::size_t extraSize, int fd, MHD_UpgradeResponseHandle *urh);

    void Run();
    void Watch(Room &room, int which, unsigned events);
    void Rearm(Room &room);
    void Carry(Room &room, int from, std::int64_t now);
    void Flush(Room &room, int to);
    void End(Room &room);
    void ReleaseIfDone(std::uint64_t id);
    void Wake();
    int CountRooms(State a, State b) const;

    struct EngineCalls {
        std::vector<MHD_UpgradeResponseHandle *> close;
        std::vector<MHD_Connection *> resume;
        void Make() const;
    };
    EngineCalls TakeEngineCalls();

    const Options limits_;
    const std::function<void(MHD_Connection *)> upgrading_;
    mutable std::mutex mutex_;
    std::map<std::uint64_t, std::unique_ptr<Room>> rooms_;
    std::unordered_map<std::string, std::uint64_t> names_;
    std::unordered_map<MHD_Connection *, std::uint64_t> connections_;
    std::unordered_map<std::string, int> perAddress_;
    std::uint64_t nextId_ = 1;
    // Engine calls gathered under the lock and made after it: the engine takes
    // locks of its own, and calls back into us under them.
    std::vector<MHD_Connection *> toResume_;
    std::vector<MHD_UpgradeResponseHandle *> toClose_;
    int poller_ = -1;
    int wake_ = -1;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace ranking
