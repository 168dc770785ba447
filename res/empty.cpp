// SPDX-License-Identifier: GPL-3.0-or-later
// Anchor for the built-in resources; the resource objects carry the data.
