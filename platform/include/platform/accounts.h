#pragma once

#include <string>

namespace platform {

// The user at the console (WTSQuerySessionInformation with WTSUserName): the
// user who ran sudo ($SUDO_USER) when set, else the real user. False when the
// user has no name.
bool GetConsoleUserName(std::wstring& name);

// The name of the effective user of this process; false when it has none.
bool GetEffectiveUserName(std::wstring& name);

// NetUserGetInfo privilege USER_PRIV_ADMIN: the account is root or a member of
// the group sudo, wheel or admin. False for an empty or unknown name.
bool IsAdminAccount(const std::wstring& userName);

// CheckTokenMembership in Administrators: the effective user id is 0.
bool IsProcessAdmin();

}  // namespace platform
