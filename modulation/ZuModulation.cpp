// SPDX-License-Identifier: GPL-3.0-or-later
// Modulation engines and signal helpers live in this library.
