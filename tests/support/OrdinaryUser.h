#pragma once

#include <QtGlobal>

#include <vector>

#include <grp.h>
#include <unistd.h>

// Runs its scope as an ordinary user, so that file permissions apply. Root is exempt from them: it becomes nobody until
// the scope ends, keeping root as its saved user to return to. Any other user is ordinary already.
class OrdinaryUser {
public:
    OrdinaryUser()
    {
        if (!wasRoot_)
            return;
        groups_.resize(static_cast<std::size_t>(getgroups(0, nullptr)));
        if (getgroups(static_cast<int>(groups_.size()), groups_.data()) < 0 ||
            getresgid(&gid_[0], &gid_[1], &gid_[2]) || getresuid(&uid_[0], &uid_[1], &uid_[2]) ||
            setgroups(0, nullptr) || setresgid(Nobody, Nobody, gid_[2]) || setresuid(Nobody, Nobody, 0))
            qFatal("cannot become nobody");
    }
    ~OrdinaryUser()
    {
        if (wasRoot_ && (setresuid(uid_[0], uid_[1], uid_[2]) || setresgid(gid_[0], gid_[1], gid_[2]) ||
                         setgroups(groups_.size(), groups_.data())))
            qFatal("cannot return to root");
    }
    OrdinaryUser(const OrdinaryUser&) = delete;
    OrdinaryUser& operator=(const OrdinaryUser&) = delete;

private:
    static constexpr uid_t Nobody = 65534;
    const bool wasRoot_ = geteuid() == 0;
    uid_t uid_[3];
    gid_t gid_[3];
    std::vector<gid_t> groups_;
};
