// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// The custom configuration dialogue: the starting count, the finishing count and the
// largest move of a game chosen by the user.
#pragma once

/// Asks the three counts and sets N, ntas, n and jmax: the two counts at least 3 apart,
/// the largest move at least 1 (and, upwards, small enough for the heap to stay 32-bit).
int config();
