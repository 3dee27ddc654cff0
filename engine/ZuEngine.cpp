// SPDX-License-Identifier: GPL-3.0-or-later
// The sequencing engine lives in this library.
