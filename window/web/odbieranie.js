// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

// A stand-in for the receiving panel until it lands: it writes nothing.
export function podlaczOdbieranie() {
  return { wpisz() {}, wpiszRazem() {} };
}
