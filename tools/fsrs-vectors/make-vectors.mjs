// Makes tests/data/fsrs-vectors.json: review sequences scheduled by the
// reference scheduler with the settings the program uses (default FSRS-6
// parameters, desired retention 0.9, no fuzz, no short-term steps). Each
// review is made on time, late or early, at varied hours of the day, so the
// day counting across midnight is covered too. Run: npm ci && npm run vectors
import { writeFileSync } from 'node:fs';
import { fileURLToPath } from 'node:url';
import { FSRSVersion, createEmptyCard, fsrs, generatorParameters } from 'ts-fsrs';

const scheduler = fsrs(
    generatorParameters({ enable_fuzz: false, enable_short_term: false, request_retention: 0.9 }));

// A small seeded generator, so the file is the same at every run.
let state = 20240611;
function random() {
    state = (state + 0x6d2b79f5) | 0;
    let t = Math.imul(state ^ (state >>> 15), 1 | state);
    t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
}
const pick = (n) => Math.floor(random() * n);
const day = 24 * 60 * 60 * 1000;
const iso = (date) => date.toISOString().replace(/\.000Z$/, 'Z');

function review(card, when, rating) {
    const next = scheduler.next(card, when, rating).card;
    return {
        card: next,
        step: {
            at: iso(when),
            rating,
            due: iso(next.due),
            stability: next.stability,
            difficulty: next.difficulty,
            reps: next.reps,
            lapses: next.lapses,
            scheduledDays: next.scheduled_days,
        },
    };
}

const sequences = [];
// A new card answered with each rating, then the same rating again on time.
for (const rating of [1, 2, 3, 4]) {
    const start = new Date(Date.UTC(2026, 0, 5, 9, 0, 0));
    let card = createEmptyCard(start);
    const steps = [];
    for (let i = 0; i < 4; ++i) {
        const r = review(card, i === 0 ? start : card.due, rating);
        card = r.card;
        steps.push(r.step);
    }
    sequences.push({ name: `always ${rating}`, steps });
}
// Random histories: each review on time, late (up to sixty days) or early
// (the same day as the last review, or between it and the due date).
const timings = ['on time', 'late', 'early'];
for (let n = 0; n < 120; ++n) {
    const start = new Date(Date.UTC(2026, pick(12), 1 + pick(28), pick(24), pick(60), pick(60)));
    let card = createEmptyCard(start);
    let when = start;
    const steps = [];
    const length = 3 + pick(8);
    for (let i = 0; i < length; ++i) {
        if (i > 0) {
            const timing = timings[pick(3)];
            const hour = pick(24 * 60) * 60 * 1000;
            const dueDay = Math.floor(card.due.getTime() / day) * day;
            if (timing === 'on time')
                when = card.due;
            else if (timing === 'late')
                when = new Date(dueDay + (1 + pick(60)) * day + hour);
            else {
                const last = card.last_review.getTime();
                const lastDay = Math.floor(last / day) * day;
                const span = Math.max(0, Math.floor((dueDay - lastDay) / day) - 1);
                when = new Date(Math.max(last, lastDay + pick(span + 1) * day + hour));
            }
        }
        const r = review(card, when, 1 + pick(4));
        card = r.card;
        steps.push(r.step);
    }
    sequences.push({ name: `history ${n + 1}`, steps });
}

const out = fileURLToPath(new URL('../../tests/data/fsrs-vectors.json', import.meta.url));
const lines = sequences.map(
    (s) => `  {"name": ${JSON.stringify(s.name)}, "steps": [\n` +
        s.steps.map((step) => `    ${JSON.stringify(step)}`).join(',\n') + ']}');
writeFileSync(out,
    `{"generator": "ts-fsrs ${FSRSVersion}, fuzz off, short-term steps off, retention 0.9",\n` +
    `"sequences": [\n${lines.join(',\n')}\n]}\n`);
console.log(`wrote ${sequences.length} sequences to ${out}`);
